#include "MenuExtendedStyle.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace {
using Style = MenuLook::Style;

// Item measures, in logical pixels.
constexpr int kIcon = 16;
constexpr int kCheckBox = 20;
constexpr int kTextGap = 8;      // from the band to the caption
constexpr int kShortcutGap = 28; // between the longest caption and the shortcuts
constexpr int kRightArea = 20;   // after the shortcuts, where a sub-menu's arrow goes
constexpr int kSeparatorHeight = 7;

// t is b's share.
QColor Mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// Black or white, whichever reads better on the colour.
QColor ReadableOn(const QColor& back) {
    const int luminance = (299 * back.red() + 587 * back.green() + 114 * back.blue()) / 1000;
    return luminance < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

// A one-pixel frame, lit from the top left.
void Frame(QPainter* painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    painter->setPen(topLeft);
    painter->drawLine(rect.topLeft(), rect.topRight() - QPoint(1, 0));
    painter->drawLine(rect.topLeft(), rect.bottomLeft() - QPoint(0, 1));
    painter->setPen(bottomRight);
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
}

QLinearGradient ThreeStops(QPointF from, QPointF to, const QColor& first, const QColor& middle,
                           const QColor& last) {
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0, first);
    gradient.setColorAt(0.5, middle);
    gradient.setColorAt(1, last);
    return gradient;
}

// The 3D look's raised bar: a rounded body shaded top, middle, bottom (bottom, middle, top when
// pressed), with a lit upper edge.
void RaisedBar(QPainter* painter, const QRect& rect, const MenuLook& look, bool pressed) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor first = pressed ? look.bottom : look.top;
    const QColor last = pressed ? look.top : look.bottom;
    painter->setPen(QPen(Mix(look.bottom, Qt::black, 0.25), 1));
    painter->setBrush(ThreeStops(body.topLeft(), body.bottomLeft(), first, look.middle, last));
    painter->drawRoundedRect(body, 3, 3);
    painter->setPen(QPen(QColor(255, 255, 255, 150), 1));
    painter->drawLine(QPointF(body.left() + 3, body.top() + 1), QPointF(body.right() - 3, body.top() + 1));
    painter->restore();
}

QLinearGradient BandGradient(const QRect& band, const MenuLook& look) {
    QLinearGradient gradient(band.topLeft(), band.topRight());
    gradient.setColorAt(0, look.top);
    gradient.setColorAt(1, Mix(look.top, look.middle, 0.5));
    return gradient;
}

void PaintCheckMark(QPainter* painter, const QRect& rect, const QColor& colour) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF o = rect.topLeft();
    const qreal s = rect.width() / 16.0;
    const QPointF points[] = {o + QPointF(3.5 * s, 8 * s), o + QPointF(6.5 * s, 11.5 * s),
                              o + QPointF(12.5 * s, 4.5 * s)};
    painter->drawPolyline(points, 3);
    painter->restore();
}

void PaintSubMenuArrow(QPainter* painter, const QRect& row, const QColor& colour) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    const QPointF tip(row.right() - 8, row.center().y() + 0.5);
    const QPointF points[] = {tip + QPointF(-4, -4), tip, tip + QPointF(-4, 4)};
    painter->drawPolygon(points, 3);
    painter->restore();
}

QStyle* BaseStyle(QStyle* base) {
    if (base) {
        return base;
    }
    // A style of its own: the proxy takes over its base, and the application keeps its style.
    QStyle* own = QStyleFactory::create(QApplication::style()->name());
    return own ? own : QStyleFactory::create(QStringLiteral("Fusion"));
}
} // namespace

MenuExtendedStyle::MenuExtendedStyle(const MenuLook& look, QStyle* base)
    : QProxyStyle(BaseStyle(base)), m_look(look) {}

int MenuExtendedStyle::ShadowMargin() const {
    return m_look.style == Style::OfficeXP && m_look.showShadow ? ShadowSize : 0;
}

void MenuExtendedStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        const int shadow = ShadowMargin();
        menu->setContentsMargins(0, 0, shadow, shadow);
        if (shadow > 0) {
            menu->installEventFilter(this);
        }
    }
}

void MenuExtendedStyle::unpolish(QWidget* widget) {
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->removeEventFilter(this);
        menu->setContentsMargins(0, 0, 0, 0);
        m_backdrops.remove(menu);
    }
    QProxyStyle::unpolish(widget);
}

bool MenuExtendedStyle::eventFilter(QObject* watched, QEvent* event) {
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        if (event->type() == QEvent::Show) {
            takeBackdrop(menu);
        } else if (event->type() == QEvent::Hide) {
            m_backdrops.remove(menu);
        }
    }
    return QProxyStyle::eventFilter(watched, event);
}

void MenuExtendedStyle::takeBackdrop(QMenu* menu) {
    // Menus are opaque windows: the shadow is painted over a picture of what lies beneath,
    // which is, nearly always, the window the menu belongs to.
    const int shadow = ShadowMargin();
    const qreal ratio = menu->devicePixelRatioF();
    QPixmap backdrop((QSizeF(menu->size()) * ratio).toSize());
    backdrop.setDevicePixelRatio(ratio);
    backdrop.fill(menu->palette().color(QPalette::Window));
    QWidget* owner = menu->parentWidget() ? menu->parentWidget()->window() : nullptr;
    if (owner && owner != menu && owner->isVisible()) {
        QPainter painter(&backdrop);
        const QPoint origin = owner->mapFromGlobal(menu->mapToGlobal(QPoint(0, 0)));
        const int w = menu->width();
        const int h = menu->height();
        for (const QRect& strip :
             {QRect(w - shadow, 0, shadow, h), QRect(0, h - shadow, w - shadow, shadow)}) {
            const QRect wanted = strip.translated(origin) & owner->rect();
            if (!wanted.isEmpty()) {
                painter.drawPixmap(wanted.topLeft() - origin, owner->grab(wanted));
            }
        }
    }
    m_backdrops.insert(menu, backdrop);
}

int MenuExtendedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                   const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return m_look.style == Style::OfficeXP ? 1 : 2;
    case PM_MenuHMargin:
        return 0;
    case PM_MenuVMargin:
        return 2;
    case PM_MenuBarPanelWidth:
        return 0;
    case PM_MenuBarItemSpacing:
        return 2;
    case PM_MenuBarHMargin:
        return 2;
    case PM_MenuBarVMargin:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int MenuExtendedStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_Menu_AllowActiveAndDisabled:
        return 0;
    case SH_Menu_MouseTracking:
    case SH_MenuBar_MouseTracking:
        return 1;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QSize MenuExtendedStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                          const QSize& contentsSize, const QWidget* widget) const {
    if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
        if (type == CT_MenuItem) {
            if (item->menuItemType == QStyleOptionMenuItem::Separator) {
                return {BandWidth + 2 * kTextGap, kSeparatorHeight};
            }
            int width = BandWidth + kTextGap + contentsSize.width() + kRightArea;
            if (item->reservedShortcutWidth > 0) {
                width += kShortcutGap;
            }
            return {width, std::max(item->fontMetrics.height() + 8, kCheckBox + 4)};
        }
        if (type == CT_MenuBarItem) {
            return {contentsSize.width() + 16, std::max(contentsSize.height() + 8, kCheckBox + 2)};
        }
    }
    return QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
}

void MenuExtendedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenu:
    case PE_FrameMenu:
        paintMenuPanel(painter, widget ? widget->rect() : option->rect, widget);
        return;
    case PE_PanelMenuBar:
        paintBarBackground(painter, option->rect, widget);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void MenuExtendedStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    switch (element) {
    case CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            paintMenuItem(painter, item, widget);
            return;
        }
        break;
    case CE_MenuEmptyArea:
        // Only what the items and the border leave uncovered is painted here (the menu clips).
        paintMenuPanel(painter, widget ? widget->rect() : option->rect, widget);
        return;
    case CE_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            paintBarItem(painter, item, widget);
            return;
        }
        break;
    case CE_MenuBarEmptyArea:
        paintBarBackground(painter, option->rect, widget);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void MenuExtendedStyle::paintMenuPanel(QPainter* painter, const QRect& menuRect,
                                       const QWidget* widget) const {
    painter->save();
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    const int shadow = qobject_cast<const QMenu*>(widget) ? ShadowMargin() : 0;
    const QRect box = menuRect.adjusted(0, 0, -shadow, -shadow);
    const int frame = pixelMetric(PM_MenuPanelWidth, nullptr, widget);
    // The inside is one tall row: the band and the item area line up with every item's.
    const QRect inner = box.adjusted(frame, frame, -frame, -frame);
    switch (m_look.style) {
    case Style::Office2000:
        // The classic raised menu: a light outer and white inner edge at the top left, a grey
        // inner and dark outer edge at the bottom right.
        painter->fillRect(inner, palette.button());
        Frame(painter, box, palette.color(QPalette::Midlight), palette.color(QPalette::Shadow));
        Frame(painter, box.adjusted(1, 1, -1, -1), palette.color(QPalette::Light),
              palette.color(QPalette::Dark));
        break;
    case Style::OfficeXP:
        paintItemRow(painter, inner);
        painter->setPen(m_look.border);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        if (shadow > 0) {
            const QRect right(box.right() + 1, menuRect.top(), shadow, menuRect.height());
            const QRect bottom(menuRect.left(), box.bottom() + 1, box.width(), shadow);
            const QPixmap backdrop = m_backdrops.value(widget);
            for (const QRect& strip : {right, bottom}) {
                if (backdrop.isNull()) {
                    painter->fillRect(strip, palette.window());
                } else {
                    painter->drawPixmap(strip, backdrop,
                                        QRectF(strip.topLeft() * backdrop.devicePixelRatio(),
                                               QSizeF(strip.size()) * backdrop.devicePixelRatio()));
                }
            }
            // The shadow fades outwards, and starts a little way along each edge.
            for (int i = 0; i < shadow; ++i) {
                QColor ink = m_look.shadow;
                ink.setAlpha(150 * (shadow - i) / shadow);
                painter->fillRect(
                    QRect(box.right() + 1 + i, box.top() + shadow, 1, box.height() - shadow + i + 1), ink);
                painter->fillRect(QRect(box.left() + shadow, box.bottom() + 1 + i, box.width() - shadow, 1),
                                  ink);
            }
        }
        break;
    case Style::ThreeD:
        paintItemRow(painter, inner);
        Frame(painter, box, Mix(m_look.bottom, Qt::black, 0.35), Mix(m_look.bottom, Qt::black, 0.35));
        Frame(painter, box.adjusted(1, 1, -1, -1), Qt::white, m_look.bottom);
        break;
    case Style::Plain:
        break;
    }
    painter->restore();
}

void MenuExtendedStyle::paintItemRow(QPainter* painter, const QRect& row) const {
    const QRect band(row.left(), row.top(), BandWidth, row.height());
    switch (m_look.style) {
    case Style::OfficeXP:
        painter->fillRect(row, m_look.area);
        painter->fillRect(band, m_look.band);
        break;
    case Style::ThreeD:
        painter->fillRect(row, m_look.middle);
        painter->fillRect(band, BandGradient(band, m_look));
        break;
    case Style::Office2000:
    case Style::Plain:
        break;
    }
}

void MenuExtendedStyle::paintSeparator(QPainter* painter, const QRect& row, const QPalette& palette) const {
    const int y = row.top() + row.height() / 2;
    switch (m_look.style) {
    case Style::Office2000:
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(row.left() + 1, y - 1, row.right() - 1, y - 1);
        painter->setPen(palette.color(QPalette::Light));
        painter->drawLine(row.left() + 1, y, row.right() - 1, y);
        break;
    case Style::OfficeXP:
        painter->setPen(Mix(m_look.border, m_look.area, 0.4));
        painter->drawLine(row.left() + BandWidth + kTextGap, y, row.right(), y);
        break;
    case Style::ThreeD:
        painter->setPen(Mix(m_look.bottom, m_look.middle, 0.3));
        painter->drawLine(row.left() + BandWidth + 4, y - 1, row.right() - 4, y - 1);
        painter->setPen(Qt::white);
        painter->drawLine(row.left() + BandWidth + 4, y, row.right() - 4, y);
        break;
    case Style::Plain:
        break;
    }
}

void MenuExtendedStyle::paintSelection(QPainter* painter, const QRect& row, const QPalette& palette) const {
    switch (m_look.style) {
    case Style::Office2000: {
        // The bar leaves the picture column alone: the picture stands out as a raised button.
        const QRect bar = row.adjusted(BandWidth, 0, -1, 0);
        if (m_look.gradient) {
            QLinearGradient gradient(bar.topLeft(), m_look.vertical ? bar.bottomLeft() : bar.topRight());
            gradient.setColorAt(0, m_look.gradientFrom);
            gradient.setColorAt(1, m_look.gradientTo);
            painter->fillRect(bar, gradient);
        } else {
            painter->fillRect(bar, palette.highlight());
        }
        break;
    }
    case Style::OfficeXP: {
        const QRect bar = row.adjusted(1, 0, -1, 0);
        painter->fillRect(bar, m_look.fill);
        painter->setPen(m_look.border);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bar.adjusted(0, 0, -1, -1));
        break;
    }
    case Style::ThreeD:
        RaisedBar(painter, row.adjusted(2, 1, -2, -1), m_look, false);
        break;
    case Style::Plain:
        break;
    }
}

void MenuExtendedStyle::paintCheckBox(QPainter* painter, const QRect& box, bool selected,
                                      const QPalette& palette) const {
    switch (m_look.style) {
    case Style::Office2000:
        painter->fillRect(box, Mix(palette.color(QPalette::Button), palette.color(QPalette::Light), 0.6));
        Frame(painter, box, palette.color(QPalette::Dark), palette.color(QPalette::Light));
        break;
    case Style::OfficeXP:
        painter->fillRect(box, Mix(m_look.fill, m_look.area, selected ? 0.15 : 0.55));
        painter->setPen(m_look.border);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        break;
    case Style::ThreeD:
        RaisedBar(painter, box, m_look, true);
        break;
    case Style::Plain:
        break;
    }
}

QColor MenuExtendedStyle::itemTextColour(bool selected, const QPalette& palette) const {
    switch (m_look.style) {
    case Style::Office2000:
        if (!selected) {
            return palette.color(QPalette::ButtonText);
        }
        return m_look.gradient ? ReadableOn(Mix(m_look.gradientFrom, m_look.gradientTo, 0.5))
                               : palette.color(QPalette::HighlightedText);
    case Style::OfficeXP:
        return selected ? m_look.selectedText : m_look.text;
    case Style::ThreeD:
        return ReadableOn(m_look.middle);
    case Style::Plain:
        break;
    }
    return palette.color(QPalette::Text);
}

int MenuExtendedStyle::textFlags(const QStyleOption* option, const QWidget* widget) const {
    int flags = Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
    if (!proxy()->styleHint(SH_UnderlineShortcut, option, widget)) {
        flags |= Qt::TextHideMnemonic;
    }
    return flags;
}

void MenuExtendedStyle::paintItemText(QPainter* painter, const QRect& rect, int flags, const QString& text,
                                      const QColor& colour, bool enabled, const QPalette& palette) const {
    if (enabled) {
        painter->setPen(colour);
        painter->drawText(rect, flags, text);
        return;
    }
    if (m_look.style == Style::OfficeXP) {
        painter->setPen(Mix(m_look.text, m_look.area, 0.55));
        painter->drawText(rect, flags, text);
        return;
    }
    // The Office 2000 and 3D menus show a disabled caption as if pressed into the paper.
    painter->setPen(palette.color(QPalette::Light));
    painter->drawText(rect.translated(1, 1), flags, text);
    painter->setPen(m_look.style == Style::ThreeD ? Mix(m_look.bottom, QColor(0x80, 0x80, 0x80), 0.7)
                                                  : palette.color(QPalette::Dark));
    painter->drawText(rect, flags, text);
}

void MenuExtendedStyle::paintMenuItem(QPainter* painter, const QStyleOptionMenuItem* item,
                                      const QWidget* widget) const {
    painter->save();
    const QRect row = item->rect;
    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    paintItemRow(painter, row);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        paintSeparator(painter, row, item->palette);
        painter->restore();
        return;
    }
    if (selected) {
        paintSelection(painter, row, item->palette);
    }

    // The picture, or the check mark, in the band.
    const QRect iconRect(row.left() + (BandWidth - kIcon) / 2, row.top() + (row.height() - kIcon) / 2, kIcon,
                         kIcon);
    const QRect box = iconRect.adjusted(-2, -2, 2, 2);
    const QColor textColour = itemTextColour(selected, item->palette);
    if (checked) {
        paintCheckBox(painter, box, selected, item->palette);
    } else if (selected && m_look.style == Style::Office2000 && !item->icon.isNull()) {
        Frame(painter, box, item->palette.color(QPalette::Light), item->palette.color(QPalette::Dark));
    }
    if (!item->icon.isNull()) {
        // Painted, not scaled from a small bitmap: sharp at any pixel ratio.
        item->icon.paint(painter, iconRect, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled,
                         checked ? QIcon::On : QIcon::Off);
    } else if (checked) {
        PaintCheckMark(painter, iconRect,
                       enabled ? textColour : item->palette.color(QPalette::Disabled, QPalette::Text));
    }

    // The caption, with its access key, and the shortcut in a column of its own.
    const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
    const QString caption = tab < 0 ? item->text : item->text.left(tab);
    const QString shortcut = tab < 0 ? QString() : item->text.mid(tab + 1);
    const int flags = textFlags(item, widget) | Qt::AlignVCenter | Qt::AlignLeft;
    const int textLeft = row.left() + BandWidth + kTextGap;
    const int shortcutLeft = row.right() + 1 - kRightArea - item->reservedShortcutWidth;
    painter->setFont(item->font);
    paintItemText(painter, QRect(textLeft, row.top(), std::max(0, shortcutLeft - textLeft), row.height()),
                  flags, caption, textColour, enabled, item->palette);
    if (!shortcut.isEmpty()) {
        paintItemText(painter, QRect(shortcutLeft, row.top(), item->reservedShortcutWidth, row.height()),
                      flags, shortcut, textColour, enabled, item->palette);
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        PaintSubMenuArrow(painter, row,
                          enabled ? textColour : item->palette.color(QPalette::Disabled, QPalette::Text));
    }
    painter->restore();
}

void MenuExtendedStyle::paintBarBackground(QPainter* painter, const QRect& rect,
                                           const QWidget* widget) const {
    const QRect bar = widget ? widget->rect() : rect;
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    switch (m_look.style) {
    case Style::Office2000:
        painter->fillRect(rect, palette.button());
        break;
    case Style::OfficeXP:
        painter->fillRect(rect, palette.window());
        break;
    case Style::ThreeD: {
        QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
        gradient.setColorAt(0, m_look.middle);
        gradient.setColorAt(1, m_look.top);
        painter->fillRect(rect, gradient);
        painter->save();
        painter->setPen(Mix(m_look.bottom, m_look.middle, 0.4));
        painter->drawLine(rect.left(), bar.bottom(), rect.right(), bar.bottom());
        painter->restore();
        break;
    }
    case Style::Plain:
        break;
    }
}

void MenuExtendedStyle::paintBarItem(QPainter* painter, const QStyleOptionMenuItem* item,
                                     const QWidget* widget) const {
    painter->save();
    paintBarBackground(painter, item->rect, widget);
    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    const bool open = selected && (item->state & State_Sunken);
    const QPalette& palette = item->palette;
    QRect textRect = item->rect;
    QColor colour = palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    const QRect box = item->rect.adjusted(1, 1, -1, -1);
    switch (m_look.style) {
    case Style::Office2000:
        colour = enabled ? palette.color(QPalette::ButtonText) : colour;
        if (open) {
            Frame(painter, box, palette.color(QPalette::Dark), palette.color(QPalette::Light));
            textRect.translate(1, 1);
        } else if (selected) {
            Frame(painter, box, palette.color(QPalette::Light), palette.color(QPalette::Dark));
        }
        break;
    case Style::OfficeXP:
        if (selected) {
            // An open menu's title joins the menu below it, in the band's colour.
            painter->fillRect(box, open ? m_look.band : m_look.fill);
            painter->setPen(m_look.border);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(box.adjusted(0, 0, -1, -1));
            colour = open ? m_look.text : m_look.selectedText;
        }
        break;
    case Style::ThreeD:
        if (selected) {
            RaisedBar(painter, box, m_look, open);
        }
        colour =
            enabled ? ReadableOn(selected ? m_look.middle : Mix(m_look.middle, m_look.top, 0.5)) : colour;
        break;
    case Style::Plain:
        break;
    }
    painter->setFont(item->font);
    painter->setPen(colour);
    painter->drawText(textRect, textFlags(item, widget) | Qt::AlignCenter, item->text);
    painter->restore();
}
