#include "Captions.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <functional>

QString CaptionText(const QString& text, int limit) {
    if (text.size() <= limit) {
        return text;
    }
    return text.left(limit - 1) + QChar(0x2026); // an ellipsis
}

namespace {
// Beyond any name the set-up takes; what a settings file holds past it is not shown at all.
constexpr int kLongestShown = 1000;

// Keeps a widget's name cut to the room the widget has, as the widget is resized.
class Elision : public QObject {
public:
    Elision(QWidget* widget, std::function<int()> room, std::function<void(const QString&)> show)
        : QObject(widget), m_widget(widget), m_room(std::move(room)), m_show(std::move(show)) {
        widget->installEventFilter(this);
    }

    void Set(const QString& text, int widest) {
        m_text = CaptionText(text, kLongestShown);
        m_widest = widest;
        // The room the widget has now was given to what it showed before: a new name asks afresh.
        show(widest);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            show(qMin(m_widest, m_room()));
        }
        return false;
    }

private:
    void show(int room) {
        const QString shown = m_widget->fontMetrics().elidedText(m_text, Qt::ElideRight, qMax(room, 0));
        m_show(shown);
        m_widget->setToolTip(shown == m_text ? QString() : WrappedToolTip(m_text));
    }

    QWidget* m_widget;
    std::function<int()> m_room;
    std::function<void(const QString&)> m_show;
    QString m_text;
    int m_widest = 0;
};

Elision* ElisionOf(QWidget* widget, std::function<int()> room, std::function<void(const QString&)> show) {
    for (QObject* child : widget->children()) {
        if (auto* elision = dynamic_cast<Elision*>(child)) {
            return elision;
        }
    }
    return new Elision(widget, std::move(room), std::move(show));
}
} // namespace

void ShowElided(QLabel* label, const QString& text, int widest) {
    if (label->minimumWidth() == 0) {
        // A layout short of room may squeeze the label down to an ellipsis.
        const QMargins margins = label->contentsMargins();
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QChar(0x2026)) + margins.left() +
                               margins.right() + 2 * label->margin());
    }
    ElisionOf(
        label, [label] { return label->contentsRect().width() - 2 * label->margin(); },
        [label](const QString& shown) { label->setText(shown); })
        ->Set(text, widest);
}

void ShowElided(QGroupBox* box, const QString& title, int widest) {
    auto room = [box] {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label =
            box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        return box->width() - 2 * label.left() - box->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    };
    ElisionOf(box, room, [box](const QString& shown) { box->setTitle(shown); })->Set(title, widest);
}

int ScreenShare(const QWidget* widget, double share) {
    const QScreen* screen = widget->screen();
    return screen != nullptr ? int(screen->availableGeometry().width() * share) : 400;
}

QString ElideLongWords(const QString& text, const QFontMetrics& metrics, int width) {
    static const QRegularExpression word(QStringLiteral("\\S+"));
    QString elided;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& found : word.globalMatch(text)) {
        elided += text.mid(from, found.capturedStart() - from);
        const QString each = found.captured();
        elided +=
            metrics.horizontalAdvance(each) > width ? metrics.elidedText(each, Qt::ElideMiddle, width) : each;
        from = found.capturedEnd();
    }
    return elided + text.mid(from);
}

QString WrappedToolTip(const QString& text) {
    // As rich text a tooltip wraps at its spaces; a long word may break at the zero-width spaces
    // put into it.
    static const QRegularExpression longWord(QStringLiteral("(\\S{40})(?=\\S)"));
    QString broken = text;
    broken.replace(longWord, QStringLiteral("\\1\u200B"));
    return QStringLiteral("<p>") + broken.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}
