#include "Colours.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

QColor ColorFromBgr(qint32 bgr) {
    const quint32 bits = static_cast<quint32>(bgr);
    if (bits & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (bits & 0xFFu) {
        case 0x05: // window background
            return palette.color(QPalette::Base);
        case 0x08: // window text
            return palette.color(QPalette::Text);
        case 0x12: // button text
            return palette.color(QPalette::ButtonText);
        case 0x0F: // button face
        default:
            return palette.color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

qint32 BgrFromColor(const QColor& color) {
    return static_cast<qint32>(static_cast<quint32>(color.red()) |
                               (static_cast<quint32>(color.green()) << 8) |
                               (static_cast<quint32>(color.blue()) << 16));
}

void SetBackColor(QWidget* widget, const QColor& back) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Base, back);
    widget->setPalette(pal);
}

void SetForeColor(QWidget* widget, const QColor& fore) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, fore);
    widget->setPalette(pal);
}

QFont MakeFont(const QString& name, int pointSize, bool bold, bool italic) {
    QFont font(name);
    font.setStyleHint(QFont::SansSerif);
    if (name.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        // The classic dialog face is narrow; Arial's metrics keep captions within their
        // labels, where a wider face would be cut off.
        font.setFamilies({name, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    }
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
