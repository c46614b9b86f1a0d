#pragma once

#include <QLabel>

// A static text drawn over whatever its parent shows behind it. The parent paints beneath it
// each time, so a change of the background behind the text shows too.
class CTransparentStatic : public QLabel
{
    Q_OBJECT

public:
    explicit CTransparentStatic(QWidget* parent = nullptr);
    explicit CTransparentStatic(const QString& text, QWidget* parent = nullptr);
};
