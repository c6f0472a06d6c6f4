#pragma once

#include "MenuLook.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

class QMenu;
class QStyleOptionMenuItem;

// Our own drawing of a window's menu bar and menus in one of the three looks (Office 2000,
// Office XP, 3D), over the toolkit's style for everything else. Check marks, shortcuts, access
// keys and the disabled look are drawn in every look; pictures are painted at the screen's own
// resolution, so they stay sharp on HiDPI screens.
class MenuExtendedStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The base style is taken over (the application's own style when none is given).
    explicit MenuExtendedStyle(const MenuLook& look, QStyle* base = nullptr);

    const MenuLook& Look() const { return m_look; }

    // The column that holds the pictures and check marks, at the left of every item.
    static constexpr int BandWidth = 26;
    // The Office XP drop shadow along a menu's right and bottom edges.
    static constexpr int ShadowSize = 4;
    // Room a menu keeps at its right and bottom for the shadow.
    int ShadowMargin() const;

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintMenuPanel(QPainter* painter, const QRect& menuRect, const QWidget* widget) const;
    void paintMenuItem(QPainter* painter, const QStyleOptionMenuItem* item, const QWidget* widget) const;
    void paintItemRow(QPainter* painter, const QRect& row) const;
    void paintSeparator(QPainter* painter, const QRect& row, const QPalette& palette) const;
    void paintSelection(QPainter* painter, const QRect& row, const QPalette& palette) const;
    void paintCheckBox(QPainter* painter, const QRect& box, bool selected, const QPalette& palette) const;
    void paintItemText(QPainter* painter, const QRect& rect, int flags, const QString& text,
                       const QColor& colour, bool enabled, const QPalette& palette) const;
    void paintBarBackground(QPainter* painter, const QRect& rect, const QWidget* widget) const;
    void paintBarItem(QPainter* painter, const QStyleOptionMenuItem* item, const QWidget* widget) const;
    QColor itemTextColour(bool selected, const QPalette& palette) const;
    int textFlags(const QStyleOption* option, const QWidget* widget) const;
    // What lies under a menu's shadow, taken from the window it belongs to as the menu opens.
    void takeBackdrop(QMenu* menu);

    MenuLook m_look;
    QHash<const QWidget*, QPixmap> m_backdrops;
};
