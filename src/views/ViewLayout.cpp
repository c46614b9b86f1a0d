#include "views/ViewLayout.h"

#include "app/OptionsProfile.h"

#include <QSettings>
#include <QWidget>

namespace view_layout {

namespace {

QString ProfileKey(const QString& key)
{
    return QStringLiteral("Layout/") + key;
}

} // namespace

int ReadValue(const QString& key)
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    bool ok = false;
    const int value = profile->value(ProfileKey(key), -1).toInt(&ok);
    return ok ? value : -1;
}

void WriteValue(const QString& key, int value)
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    profile->setValue(ProfileKey(key), value);
}

void ReadPaneSize(const QString& name, int& width, int& height)
{
    width = ReadValue(name + QStringLiteral("Width"));
    height = ReadValue(name + QStringLiteral("Height"));
}

void SavePaneSize(const QString& name, const QWidget& pane)
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    profile->setValue(ProfileKey(name + QStringLiteral("Width")), pane.width());
    profile->setValue(ProfileKey(name + QStringLiteral("Height")), pane.height());
}

} // namespace view_layout
