#include "controls/AutoRepeatButton.h"
#include "controls/ButtonST.h"
#include "controls/Pictures.h"

#include "widgets/Screenshots.h"

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A timer the test ticks by hand, recording the periods it is started with.
class CManualTimer final : public IRepeatTimer
{
public:
    void Start(int milliseconds) override
    {
        Periods.push_back(milliseconds);
        Running = true;
    }
    void Stop() override { Running = false; }
    void Fire()
    {
        if (Running && Tick)
            Tick();
    }
    std::vector<int> Periods;
    bool Running = false;
};

struct SRepeatButton
{
    SRepeatButton()
    {
        auto manual = std::make_unique<CManualTimer>();
        timer = manual.get();
        button.SetRepeatTimer(std::move(manual));
        button.resize(24, 24);
        button.show();
    }
    CAutoRepeatButton button{300, 150};
    CManualTimer* timer = nullptr;
};

QImage Icon(QColor colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(AutoRepeatButton, HeldRepeatsAfterTheDelayAndReleaseSendsNothingMore)
{
    SRepeatButton repeat;
    QSignalSpy clicks(&repeat.button, &QPushButton::clicked);
    QTest::mousePress(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(repeat.timer->Periods, std::vector<int>({300}));
    EXPECT_EQ(clicks.count(), 0);
    for (int tick = 0; tick < 5; ++tick)
        repeat.timer->Fire();
    EXPECT_EQ(clicks.count(), 5);
    EXPECT_EQ(repeat.timer->Periods, std::vector<int>({300, 150, 150, 150, 150, 150}));
    QTest::mouseRelease(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_FALSE(repeat.timer->Running);
    EXPECT_EQ(clicks.count(), 5);
    EXPECT_FALSE(repeat.button.isDown());
}

TEST(AutoRepeatButton, QuickClickGivesOneClickAndOffTheButtonNone)
{
    SRepeatButton repeat;
    QSignalSpy clicks(&repeat.button, &QPushButton::clicked);
    QTest::mouseClick(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);

    // Held, then moved off: the button pops up, ticks do nothing, the release sends nothing.
    QTest::mousePress(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    QMouseEvent off(QEvent::MouseMove, QPointF(60, 60), repeat.button.mapToGlobal(QPointF(60, 60)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&repeat.button, &off);
    ASSERT_FALSE(repeat.button.isDown());
    repeat.timer->Fire();
    QTest::mouseRelease(&repeat.button, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks.count(), 1);

    // The second press of a double click counts as a press: two clicks.
    QTest::mouseClick(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseDClick(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseRelease(&repeat.button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 3);
}

TEST(AutoRepeatButton, RealTimerRepeatsWhileHeld)
{
    CAutoRepeatButton button(300, 150);
    button.resize(24, 24);
    button.show();
    QSignalSpy clicks(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::qWait(200);
    EXPECT_EQ(clicks.count(), 0);
    QTest::qWait(800);
    // After 1 s: clicks at 300, 450, 600, 750 and 900 ms (a loaded machine may lag a tick).
    EXPECT_GE(clicks.count(), 3);
    EXPECT_LE(clicks.count(), 6);
    const int held = clicks.count();
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::qWait(400);
    EXPECT_EQ(clicks.count(), held);
}

TEST(ButtonST, StyleDecidesCheckBoxAndDefault)
{
    struct SCase
    {
        unsigned Style;
        bool CheckBox;
        bool Default;
    };
    const SCase cases[] = {
        {CButtonST::BS_PUSHBUTTON, false, false},
        {CButtonST::BS_DEFPUSHBUTTON, false, true}, // a default push button is no check box
        {CButtonST::BS_CHECKBOX, true, false},
        {CButtonST::BS_AUTOCHECKBOX, true, false},
        {CButtonST::BS_RADIOBUTTON, true, false},
        {CButtonST::BS_AUTO3STATE, true, false},
        {CButtonST::BS_AUTORADIOBUTTON, true, false},
        {0x00010000u | CButtonST::BS_PUSHBUTTON, false, false},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Style);
        CButtonST button;
        button.SubclassButton(test.Style);
        EXPECT_EQ(button.IsCheckBox(), test.CheckBox);
        EXPECT_EQ(button.IsDefaultButton(), test.Default);
        EXPECT_EQ(button.isDefault(), test.Default);
    }

    // The style can make it the default button later, and take that back; the look stays its
    // own: a non-flat default button has a black frame.
    CButtonST button;
    button.SubclassButton(CButtonST::BS_PUSHBUTTON);
    button.SetFlatLook(false);
    button.setText(QStringLiteral("OK"));
    button.resize(80, 26);
    button.SetButtonStyle(CButtonST::BS_DEFPUSHBUTTON);
    EXPECT_TRUE(button.IsDefaultButton());
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(shots::Grab(button), 0, 10), Qt::black));
    button.SetButtonStyle(CButtonST::BS_PUSHBUTTON);
    EXPECT_FALSE(button.IsDefaultButton());
}

TEST(ButtonST, CheckBoxButtonTogglesAndShowsPressed)
{
    CButtonST button;
    button.SubclassButton(CButtonST::BS_AUTOCHECKBOX);
    button.SetIconHandles(Icon(Qt::red), Icon(Qt::blue));
    button.resize(30, 30);
    QSignalSpy clicks(&button, &QPushButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_EQ(button.GetCheckState(), 1);
    EXPECT_EQ(clicks.count(), 1);
    // Checked shows the mouse-over icon, without the pressed offset.
    QTest::mouseMove(&button, QPoint(100, 100));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(shots::Grab(button), 7, 7), Qt::red));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_EQ(button.GetCheckState(), 0);

    button.SetCheckState(2);
    EXPECT_EQ(button.GetCheckState(), 1);
    button.SetCheckState(5);
    EXPECT_EQ(button.GetCheckState(), 0);
    CButtonST push;
    push.SubclassButton(CButtonST::BS_PUSHBUTTON);
    push.SetCheckState(1);
    EXPECT_EQ(push.GetCheckState(), 0);
}

TEST(ButtonST, FlatButtonLightsUpUnderTheMouse)
{
    QWidget dialog;
    auto* button = new CButtonST(&dialog);
    button->SubclassButton(CButtonST::BS_PUSHBUTTON);
    button->SetIconHandles(Icon(Qt::red), Icon(Qt::blue));
    button->setGeometry(10, 10, 30, 30);
    dialog.resize(60, 60);
    dialog.show();
    const QColor face = button->palette().color(QPalette::Button);
    const QColor light = button->palette().color(QPalette::Light);
    const QColor shadow = button->palette().color(QPalette::Dark); // the button shadow

    QImage image = shots::Grab(*button);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 0, 0), face, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 15, 15), Qt::blue));

    QTest::mouseMove(button, QPoint(15, 15));
    ASSERT_TRUE(button->IsMouseOver());
    image = shots::Grab(*button);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 0, 0), light, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 29, 29), shadow, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 15, 15), Qt::red));

    QTest::mouseMove(&dialog, QPoint(55, 55));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsMouseOver());
    image = shots::Grab(*button);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 0, 0), face, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 15, 15), Qt::blue));

    // With one icon only, the same icon shows both ways.
    button->SetIconHandles(Icon(Qt::red), CButtonST::ICON_NONE);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(shots::Grab(*button), 15, 15), Qt::red));
}

TEST(ButtonST, DisabledButtonGreysItsIconAndPassesTheFocusOn)
{
    QWidget dialog;
    auto* button = new CButtonST(&dialog);
    auto* next = new QPushButton(QStringLiteral("Next"), &dialog);
    button->SetIconHandles(Icon(Qt::red), CButtonST::ICON_NONE);
    button->setGeometry(0, 0, 30, 30);
    next->setGeometry(40, 0, 60, 30);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    button->setEnabled(false);
    EXPECT_TRUE(next->hasFocus());
    const QColor pixel = shots::PixelAt(shots::Grab(*button), 15, 15);
    EXPECT_LT(std::abs(pixel.red() - pixel.green()), 40) << pixel.name().toStdString();
}

TEST(ButtonST, DerivedIconsAndSettings)
{
    QImage icon(3, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(200, 100, 40, 255));
    icon.setPixel(1, 0, qRgba(0, 0, 0, 255));
    icon.setPixel(2, 0, qRgba(255, 0, 0, 128));
    const QImage darker = CButtonST::DarkerIcon(icon);
    EXPECT_EQ(darker.pixel(0, 0), qRgba(150, 75, 30, 255));
    EXPECT_EQ(darker.pixel(1, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(darker.pixel(2, 0), qRgba(191, 0, 0, 128));
    const QImage grey = CButtonST::GreyIcon(icon);
    EXPECT_EQ(grey.pixel(0, 0), qRgba(123, 123, 123, 255));
    EXPECT_EQ(grey.pixel(1, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(grey.pixel(2, 0), qRgba(76, 76, 76, 128));

    CButtonST button;
    EXPECT_EQ(button.SetPressedOffsetStyle(2), CButtonST::BTNST_INVALIDPRESSEDSTYLE);
    EXPECT_EQ(button.SetPressedOffsetStyle(1), CButtonST::BTNST_OK);
    EXPECT_EQ(button.SetIcon(IDB_MOVE_UP, CButtonST::ICON_DARKER), CButtonST::BTNST_OK);
    EXPECT_EQ(button.GetOverIcon().size(), QSize(16, 16));
    EXPECT_EQ(button.GetNormalIcon(), CButtonST::DarkerIcon(button.GetOverIcon()));
    EXPECT_EQ(button.LoadIcons(IDB_MOVE_UP, 24, 24, 4242, 0, 0), CButtonST::BTNST_INVALIDRESOURCE);
    EXPECT_TRUE(button.GetOverIcon().isNull());
    EXPECT_TRUE(button.GetNormalIcon().isNull());

    button.SetTooltipText(63518u);
    EXPECT_EQ(button.toolTip(), QStringLiteral("Move question(s) up"));
    button.SetTooltipText(1u); // no such string: unchanged
    EXPECT_EQ(button.toolTip(), QStringLiteral("Move question(s) up"));
    button.SetTooltipText(QStringLiteral("Hidden"), false);
    EXPECT_TRUE(button.toolTip().isEmpty());
}

TEST(ButtonST, Gallery)
{
    QWidget page;
    page.setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(&page);
    const unsigned ids[] = {IDB_MOVE_UP, IDB_MOVE_DOWN, IDB_MOVE_LEFT, IDB_MOVE_RIGHT,
                            IDB_ADD_CHAPTER};
    std::vector<CAutoRepeatButton*> buttons;
    for (const unsigned id : ids) {
        auto* button = new CAutoRepeatButton(300, 150, &page);
        button->SubclassButton(CButtonST::BS_PUSHBUTTON);
        button->SetIcon(int(id), 0);
        button->setFixedSize(24, 24);
        layout->addWidget(button);
        buttons.push_back(button);
    }
    auto* labelled = new CButtonST(&page);
    labelled->SubclassButton(CButtonST::BS_DEFPUSHBUTTON);
    labelled->SetFlatLook(false);
    labelled->SetIcon(IDB_ADD_CHAPTER, 0);
    labelled->setText(QStringLiteral("Add a chapter"));
    labelled->setFixedSize(130, 28);
    layout->addWidget(labelled);
    auto* checked = new CButtonST(&page);
    checked->SubclassButton(CButtonST::BS_AUTOCHECKBOX);
    checked->SetIcon(IDB_MOVE_RIGHT, 0);
    checked->SetCheckState(1);
    checked->setFixedSize(24, 24);
    layout->addWidget(checked);
    buttons[4]->setEnabled(false);
    page.show();
    QTest::mouseMove(buttons[1], QPoint(12, 12));
    ASSERT_TRUE(buttons[1]->IsMouseOver());
    const QImage image = shots::GrabAndSave(page, "gallery", "ImageButtons");
    // The lit-up button has its light edge; its unlit neighbour has none.
    const QPoint lit = buttons[1]->geometry().topLeft();
    const QPoint unlit = buttons[0]->geometry().topLeft();
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, lit.x(), lit.y()),
                                  page.palette().color(QPalette::Light), 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, unlit.x(), unlit.y()),
                                  page.palette().color(QPalette::Button), 2));
}
