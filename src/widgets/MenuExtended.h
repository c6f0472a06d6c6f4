#pragma once

#include "MenuLook.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class MenuExtendedStyle;

// Pictures by key, as an image list holds them.
class ImageList {
public:
    void Add(const QString& key, const QIcon& icon) { m_icons.insert(key, icon); }
    QIcon Icon(const QString& key) const { return m_icons.value(key); }
    bool Contains(const QString& key) const { return m_icons.contains(key); }
    QStringList Keys() const { return m_icons.keys(); }

private:
    QHash<QString, QIcon> m_icons;
};

// The events object of the menu component.
class MenuEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    void MenuHelp(const QString& first, const QString& second);
};

// The menu component: it draws a main window's menus from their captions. A caption is written
// "shown caption|#key": the component shows the caption up to "|#" with the image of the key
// beside it, at install and whenever a caption changes later. Its style and colours come from
// the settings file named at install (the path without ".ini"), read again at every
// ApplyMenuSettings.
class MenuExtended : public QObject {
    Q_OBJECT
public:
    explicit MenuExtended(QObject* parent = nullptr);
    ~MenuExtended() override;

    void InstallMenus(QMainWindow* window, const QString& settingsBase, const ImageList* images, int mode,
                      MenuEvents* events, int flags);
    void ApplyMenuSettings(QMainWindow* window);
    void RemoveMenus(QMainWindow* window, const ImageList* images, MenuEvents* events, int flags);
    void OpenMenuDesigner(QMainWindow* window, int flags);

    bool IsInstalled() const { return m_window != nullptr; }
    // The settings file, as the file system names it.
    QString SettingsFile() const;
    // What the menus are drawn from since the last ApplyMenuSettings.
    const MenuLook& Look() const { return m_look; }

    // The caption an item was given, key and all ("&Print...|#Print"), and its image key.
    static QString FullCaption(const QAction* item);
    static QString ImageKey(const QAction* item);

private:
    void take(QAction* item);
    void takeMenu(QMenu* menu);
    // Every menu of the window, and its bar, drawn by `style` (the toolkit's own for none).
    void restyle(QStyle* style);

    QPointer<QMainWindow> m_window;
    const ImageList* m_images = nullptr;
    QPointer<MenuEvents> m_events;
    QString m_settingsBase;
    QList<QPointer<QMenu>> m_menus;
    MenuLook m_look;
    std::unique_ptr<MenuExtendedStyle> m_style;
};
