#pragma once

#include "menus/ColorRef.h"

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QMenu;
class QPainter;
class QWidget;

namespace menus {
// How a theme measures menu items and which routine draws them.
enum class EMeasureRoutine
{
    First,
    Second,
    XP
};
enum class EDrawRoutine
{
    First,
    Second,
    Third,
    XP,
    Office2003
};

// What the hook keeps of a pop-up menu while it is shown: its position when first shown and
// the picture of the screen behind it (taken once, for the soft shadow of the flat frames;
// null where the platform gives no picture).
struct CMenuHookData
{
    QPointer<QMenu> Menu;
    QPoint LastPosition;
    QImage Screen;
    bool Captured = false;
};

// A menu theme: how menus are measured and painted in one draw mode (0 to 11) and how their
// pop-ups are framed. Even modes draw their own flat pop-up frame with a soft shadow; odd
// modes keep the system frame.
class CMenuTheme
{
public:
    CMenuTheme(int mode, EMeasureRoutine measure, EDrawRoutine drawItem);
    virtual ~CMenuTheme() = default;

    int Mode() const { return m_nMode; }
    // 1 when the theme draws its own pop-up frame (the even modes).
    int FrameFlag() const { return m_nFrameFlag & 1; }
    EMeasureRoutine Measure() const { return m_measure; }
    EDrawRoutine DrawItem() const { return m_drawItem; }
    // The pop-up border (2, 2) and the shadow size ((2, 2) with flat menus, else (5, 6)).
    QSize BorderMargin() const { return {2, 2}; }
    QSize ShadowSize() const;

    // The space between a pop-up's window and its items: for a theme with the frame flag, the
    // border margin on the left and top and 6 pixels (2 with flat menus) on the right and
    // bottom for the frame and its shadow; none otherwise.
    QMargins PopupMargins() const;
    // The width of the system frame that pop-ups keep without the frame flag: 1 pixel with
    // flat menus, a raised 2-pixel edge without; 0 with the frame flag.
    int SystemFrameWidth() const;

    // Paints the flat frame of a pop-up of the given window size, with its shadow and, for the
    // XP themes, the joint with its open menu-bar item. Returns false and paints nothing
    // without the frame flag or without a record.
    virtual bool PaintNonClientFrame(QPainter& painter, const QWidget* popup,
                                     const CMenuHookData* record) const;
    // Fills the client area of a pop-up (the area its items cover).
    virtual void EraseBackground(QPainter& painter, const QRect& client,
                                 const CMenuHookData* record) const;
    // The gripper of a docked bar in the handle rectangle; the bar's orientation decides
    // whether the dots run down (horizontal bar) or across (vertical bar).
    void DrawGripper(QPainter& painter, const QRect& handle, Qt::Orientation bar) const;
    // Rounds the corners of a docked bar with a gripper (modes 6 to 11).
    void DrawCorners(QPainter& painter, const QRect& bar) const;

protected:
    // The soft shadow in the four right columns and four bottom rows of a window of size w x h,
    // darkened from the picture of the screen behind it.
    static void DrawShadow(QPainter& painter, int w, int h, const CMenuHookData& record);
    // The strips where the shadow would go, in the window colour (no shadow).
    static void FillShadowStrips(QPainter& painter, int w, int h);

private:
    int m_nMode;
    int m_nFrameFlag;
    EMeasureRoutine m_measure;
    EDrawRoutine m_drawItem;
};

// The XP look: its own frame colours and background, and the joint between a pop-up and its
// open menu-bar item.
class CMenuThemeXP : public CMenuTheme
{
public:
    using CMenuTheme::CMenuTheme;
    bool PaintNonClientFrame(QPainter& painter, const QWidget* popup,
                             const CMenuHookData* record) const override;
    void EraseBackground(QPainter& painter, const QRect& client,
                         const CMenuHookData* record) const override;

private:
    static void JoinMenuBarItem(QPainter& painter, const QWidget* popup,
                                const CMenuHookData& record);
};

// The Office-2003 look (modes 8 and 9): the XP frame with the 2003 drawing routine.
class CMenuTheme2003 : public CMenuThemeXP
{
public:
    using CMenuThemeXP::CMenuThemeXP;
};

// The current draw mode (2 until one is selected).
int CurrentDrawMode();
// The current theme.
const CMenuTheme& CurrentTheme();
} // namespace menus
