#include "MenuExtended.h"

#include "MenuExtendedStyle.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const char* const kCaption = "qlmMenuCaption";
const char* const kKey = "qlmMenuKey";
const char* const kWatched = "qlmMenuWatched";
const QString kMarker = QStringLiteral("|#");

// The designer's columns.
enum Column { CaptionColumn, PictureColumn, ShortcutColumn, CheckedColumn, EnabledColumn, VisibleColumn };

QString StyleName(MenuLook::Style style) {
    switch (style) {
    case MenuLook::Style::Office2000:
        return QStringLiteral("Office 2000");
    case MenuLook::Style::OfficeXP:
        return QStringLiteral("Office XP");
    case MenuLook::Style::ThreeD:
        return QStringLiteral("3D");
    case MenuLook::Style::Plain:
        break;
    }
    return QStringLiteral("plain");
}

void ShowFlag(QTreeWidgetItem* row, int column, bool on) {
    row->setCheckState(column, on ? Qt::Checked : Qt::Unchecked);
}

QTreeWidgetItem* AddMenuRow(QTreeWidget* tree, const QMenu* menu, bool onTheBar) {
    auto* title = new QTreeWidgetItem(tree, {menu->title()});
    title->setFlags(Qt::ItemIsEnabled);
    ShowFlag(title, CheckedColumn, false);
    ShowFlag(title, EnabledColumn, menu->isEnabled());
    // A pop-up's title is never shown: the menu opens at the cell.
    ShowFlag(title, VisibleColumn, onTheBar && menu->menuAction()->isVisible());
    for (QAction* item : menu->actions()) {
        auto* row = new QTreeWidgetItem(title);
        row->setFlags(Qt::ItemIsEnabled);
        if (item->isSeparator()) {
            row->setText(CaptionColumn, QStringLiteral("-"));
            continue;
        }
        row->setText(CaptionColumn, item->text());
        row->setIcon(CaptionColumn, item->icon());
        row->setText(PictureColumn, MenuExtended::ImageKey(item));
        row->setText(ShortcutColumn, item->shortcut().toString(QKeySequence::NativeText));
        row->setToolTip(CaptionColumn, MenuExtended::FullCaption(item));
        ShowFlag(row, CheckedColumn, item->isChecked());
        ShowFlag(row, EnabledColumn, item->isEnabled());
        ShowFlag(row, VisibleColumn, item->isVisible());
    }
    return title;
}
} // namespace

MenuExtended::MenuExtended(QObject* parent) : QObject(parent) {}

MenuExtended::~MenuExtended() {
    // The menus must not keep a style that goes with us.
    restyle(nullptr);
}

QString MenuExtended::FullCaption(const QAction* item) {
    const QVariant caption = item->property(kCaption);
    return caption.isValid() ? caption.toString() : item->text();
}

QString MenuExtended::ImageKey(const QAction* item) {
    return item->property(kKey).toString();
}

QString MenuExtended::SettingsFile() const {
    return NativePath(m_settingsBase + QStringLiteral(".ini"));
}

void MenuExtended::take(QAction* item) {
    if (item->isSeparator()) {
        return;
    }
    const QString text = item->text();
    const qsizetype marker = text.indexOf(kMarker);
    if (marker < 0) {
        // A caption set without a key: it is shown as it is, without a picture.
        const QVariant recorded = item->property(kCaption);
        if (recorded.isValid() && recorded.toString().section(kMarker, 0, 0) != text) {
            item->setProperty(kCaption, text);
            item->setProperty(kKey, QString());
            item->setIcon(QIcon());
        }
        return;
    }
    const QString key = text.mid(marker + kMarker.size());
    item->setProperty(kCaption, text);
    item->setProperty(kKey, key);
    item->setText(text.left(marker)); // raises `changed` again, without a marker this time
    item->setIcon(m_images && m_images->Contains(key) ? m_images->Icon(key) : QIcon());
    item->setIconVisibleInMenu(true);
}

void MenuExtended::takeMenu(QMenu* menu) {
    if (!m_menus.contains(menu)) {
        m_menus.append(menu);
    }
    for (QAction* item : menu->actions()) {
        if (!item->property(kWatched).toBool()) {
            item->setProperty(kWatched, true);
            // Captions change at run time (the ToolBar item's does): each change is drawn anew.
            connect(item, &QAction::changed, this, [this, item] {
                if (m_window) {
                    take(item);
                }
            });
        }
        take(item);
        if (item->menu()) {
            takeMenu(item->menu());
        }
    }
}

void MenuExtended::restyle(QStyle* style) {
    if (m_window) {
        m_window->menuBar()->setStyle(style);
    }
    for (const QPointer<QMenu>& menu : std::as_const(m_menus)) {
        if (menu) {
            menu->setStyle(style);
        }
    }
}

void MenuExtended::InstallMenus(QMainWindow* window, const QString& settingsBase, const ImageList* images,
                                int, MenuEvents* events, int) {
    m_window = window;
    m_settingsBase = settingsBase;
    m_images = images;
    m_events = events;
    for (QAction* top : window->menuBar()->actions()) {
        if (top->menu()) {
            takeMenu(top->menu());
        }
    }
    // The pop-up menus are the window's menus too, though never on its bar.
    for (QMenu* menu : window->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        takeMenu(menu);
    }
    ApplyMenuSettings(window);
}

void MenuExtended::ApplyMenuSettings(QMainWindow* window) {
    if (!m_window || window != m_window) {
        return;
    }
    // The file as it stands now: a hand edit shows as well as the options' own.
    m_look = ReadMenuLook(SettingsFile());
    std::unique_ptr<MenuExtendedStyle> next;
    if (m_look.style != MenuLook::Style::Plain) {
        next = std::make_unique<MenuExtendedStyle>(m_look);
    }
    // A new style object each time: the menus measure their items again for it.
    restyle(next.get());
    m_style = std::move(next);
}

void MenuExtended::RemoveMenus(QMainWindow* window, const ImageList*, MenuEvents*, int) {
    if (window != m_window) {
        return;
    }
    restyle(nullptr);
    m_style.reset();
    m_menus.clear();
    m_window = nullptr;
    m_images = nullptr;
    m_events = nullptr;
}

void MenuExtended::OpenMenuDesigner(QMainWindow* window, int) {
    QDialog designer(window);
    designer.setWindowTitle(QStringLiteral("Menu Designer"));
    auto* layout = new QVBoxLayout(&designer);
    auto* about = new QLabel(&designer);
    about->setObjectName(QStringLiteral("lblMenuStyle"));
    about->setText(
        window == m_window
            ? QStringLiteral("Drawn in the %1 style from %2").arg(StyleName(m_look.style), SettingsFile())
            : QStringLiteral("These menus are drawn by the toolkit's own style."));
    about->setWordWrap(true);
    layout->addWidget(about);

    auto* tree = new QTreeWidget(&designer);
    tree->setObjectName(QStringLiteral("tvwMenus"));
    tree->setHeaderLabels({QStringLiteral("Caption"), QStringLiteral("Picture"), QStringLiteral("Shortcut"),
                           QStringLiteral("Checked"), QStringLiteral("Enabled"), QStringLiteral("Visible")});
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    for (QAction* top : window->menuBar()->actions()) {
        if (top->menu()) {
            AddMenuRow(tree, top->menu(), true);
        }
    }
    for (QMenu* menu : window->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        AddMenuRow(tree, menu, false);
    }
    tree->expandAll();
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(CaptionColumn, QHeaderView::Stretch);
    for (int column = PictureColumn; column <= VisibleColumn; ++column) {
        tree->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    layout->addWidget(tree);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &designer);
    connect(buttons, &QDialogButtonBox::rejected, &designer, &QDialog::reject);
    layout->addWidget(buttons);
    designer.resize(designer.logicalDpiX() * 640 / 96, designer.logicalDpiY() * 600 / 96);
    designer.exec();
}
