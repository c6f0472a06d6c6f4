#include "MenuExtended.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const char* const kCaption = "qlmMenuCaption";
const char* const kKey = "qlmMenuKey";
const char* const kWatched = "qlmMenuWatched";
const QString kMarker = QStringLiteral("|#");

void AddMenuToTree(QTreeWidgetItem* parent, const QMenu* menu) {
    for (QAction* item : menu->actions()) {
        if (item->isSeparator()) {
            new QTreeWidgetItem(parent, {QStringLiteral("-")});
            continue;
        }
        auto* row = new QTreeWidgetItem(parent, {MenuExtended::FullCaption(item)});
        row->setIcon(0, item->icon());
        if (item->menu()) {
            AddMenuToTree(row, item->menu());
        }
    }
}
} // namespace

QString MenuExtended::FullCaption(const QAction* item) {
    const QVariant caption = item->property(kCaption);
    return caption.isValid() ? caption.toString() : item->text();
}

QString MenuExtended::ImageKey(const QAction* item) {
    return item->property(kKey).toString();
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
    // The menus are drawn by the toolkit's own style; what the settings file asks of them is
    // taken from it as it stands each time this is called.
}

void MenuExtended::RemoveMenus(QMainWindow* window, const ImageList*, MenuEvents*, int) {
    if (window != m_window) {
        return;
    }
    m_window = nullptr;
    m_images = nullptr;
    m_events = nullptr;
}

void MenuExtended::OpenMenuDesigner(QMainWindow* window, int) {
    QDialog designer(window);
    designer.setWindowTitle(QStringLiteral("Menu Designer"));
    auto* layout = new QVBoxLayout(&designer);
    auto* tree = new QTreeWidget(&designer);
    tree->setHeaderLabel(QStringLiteral("Caption|#Picture"));
    for (QAction* top : window->menuBar()->actions()) {
        if (top->menu()) {
            auto* row = new QTreeWidgetItem(tree, {top->text()});
            AddMenuToTree(row, top->menu());
        }
    }
    tree->expandAll();
    layout->addWidget(tree);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &designer);
    connect(buttons, &QDialogButtonBox::rejected, &designer, &QDialog::reject);
    layout->addWidget(buttons);
    designer.resize(420, 560);
    designer.exec();
}
