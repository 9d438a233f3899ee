#include "looks.h"

#include <QApplication>
#include <QColor>

namespace tamsel {

namespace {

// Flat controls drawn with a coloured frame.
QString lookSheet(const QColor &frame)
{
    const QString c = frame.name();
    return QStringLiteral(
               "QLineEdit, QPlainTextEdit { border: 1px solid %1; background: white; }"
               "QComboBox { border: 1px solid %1; background: white; padding: 0 2px; }"
               "QComboBox::drop-down { border-left: 1px solid %1; width: 14px; }"
               "QPushButton { border: 1px solid %1; border-radius: 2px; padding: 1px 4px;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 %2); }"
               "QPushButton:pressed { background: %2; }"
               "QPushButton:disabled { color: #9a9a9a; }"
               "QGroupBox { border: 1px solid %1; margin-top: 0px; background-color: palette(window); }"
               "QSlider::groove:horizontal { border: 1px solid %1; height: 4px; }"
               "QSlider::handle:horizontal { background: %1; width: 8px; margin: -5px 0; }")
        .arg(c, frame.lighter(135).name());
}

} // namespace

void applyLook(QApplication &app, int look)
{
    switch (look) {
    case 1:
        app.setStyleSheet(lookSheet(QColor(123, 158, 189)));
        break;
    case 2:
        app.setStyleSheet(lookSheet(QColor(164, 185, 127)));
        break;
    case 3:
        app.setStyleSheet(lookSheet(QColor(198, 197, 215)));
        break;
    case 4:
        app.setStyleSheet(QString());
        break;
    default:
        break;
    }
}

} // namespace tamsel
