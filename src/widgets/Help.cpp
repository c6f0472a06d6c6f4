#include "Help.h"

#include "Artwork.h"
#include "CommandIcons.h"
#include "KeyboardFocus.h"
#include "TopLevelWindows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {
QList<HelpCall> g_calls;
bool g_record = false;

// A plain reading window: the topic, with Contents, Back and Forward. It is not a window the
// program waits for, and it does not keep the program alive once the main window has closed.
// It stays in front of the window that asked for it, so that a modal window leaves it readable.
class HelpWindow : public QWidget {
public:
    HelpWindow() : QWidget(nullptr, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
        setAttribute(Qt::WA_QuitOnClose, false);
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowIcon(Artwork::AppIcon());
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* bar = new QHBoxLayout;
        bar->setContentsMargins(6, 4, 6, 4);
        m_contents = Button(QStringLiteral("Contents"), QStringLiteral("Help"));
        m_back = Button(QStringLiteral("Back"), QString());
        m_forward = Button(QStringLiteral("Forward"), QString());
        for (QToolButton* button : {m_back, m_forward}) {
            button->setArrowType(button == m_back ? Qt::LeftArrow : Qt::RightArrow);
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        bar->addWidget(m_contents);
        bar->addWidget(m_back);
        bar->addWidget(m_forward);
        bar->addStretch(1);
        layout->addLayout(bar);
        m_browser = new QTextBrowser(this);
        m_browser->setOpenExternalLinks(true);
        m_browser->setFrameShape(QFrame::NoFrame);
        m_browser->document()->setDocumentMargin(fontMetrics().height());
        layout->addWidget(m_browser, 1);
        connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
        connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
        connect(m_contents, &QToolButton::clicked, this, [this] { m_browser->setSource(m_contentsPage); });
        connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
        connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
        connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { UpdateTitle(); });
        m_back->setEnabled(false);
        m_forward->setEnabled(false);
        // The window has no button of its own to close it: Escape is its close box.
        OnEscape(this, [this] { close(); });
    }

    void Show(QWidget* owner, const QString& helpFile, int context) {
        const QString page = HelpTopicFile(helpFile, context);
        m_contentsPage = QUrl::fromLocalFile(HelpTopicFile(helpFile, kHelpContentsContext));
        m_contents->setEnabled(!m_contentsPage.isEmpty());
        // The window reads the pages' style sheet itself: its text view does not follow links
        // to style sheets as a browser does.
        QFile css(HelpFolder(helpFile) + QStringLiteral("/help.css"));
        m_browser->document()->setDefaultStyleSheet(
            css.open(QIODevice::ReadOnly) ? QString::fromUtf8(css.readAll()) : QString());
        if (page.isEmpty()) {
            // Help that was never installed: say so in the window rather than show nothing.
            m_browser->setHtml(QStringLiteral("<h2>Help is not installed</h2><p>The help pages were not "
                                              "found in the folder</p><p><code>%1</code></p><p>Installing "
                                              "the program again puts them back.</p>")
                                   .arg(HelpFolder(helpFile).toHtmlEscaped()));
            UpdateTitle();
        } else {
            m_browser->setSource(QUrl::fromLocalFile(page));
        }
        QWidget* front = owner != nullptr ? owner->window() : FrontWindow();
        OwnBy(front != nullptr && front != this ? front->windowHandle() : nullptr);
        if (!isVisible()) {
            Place(owner);
        }
        show();
        raise();
        activateWindow();
    }

    QUrl Page() const { return m_browser->source(); }

private:
    QToolButton* Button(const QString& text, const QString& iconKey) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setToolTip(text);
        button->setAutoRaise(true);
        if (!iconKey.isEmpty()) {
            button->setIcon(Artwork::MenuIcon(iconKey));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        return button;
    }

    // The window manager reads the owner when the window is mapped: a shown window is mapped again.
    void OwnBy(QWindow* front) {
        if (windowHandle() != nullptr && windowHandle()->transientParent() == front) {
            return;
        }
        const bool shown = isVisible();
        if (shown) {
            hide();
        }
        KeepInFrontOf(this, front);
        disconnect(m_ownerClosing);
        if (front != nullptr) {
            // When the owner closes, the window stays in front of the window the owner was in front of.
            m_ownerClosing = connect(front, &QWindow::visibleChanged, this, [this, front](bool visible) {
                QPointer<QWindow> next = front->transientParent();
                if (!visible && next) {
                    QTimer::singleShot(0, this, [this, next] {
                        if (isVisible() && next) {
                            OwnBy(next);
                        }
                    });
                }
            });
        }
        if (shown) {
            show();
        }
    }

    void UpdateTitle() {
        const QString topic = m_browser->documentTitle();
        setWindowTitle(topic.isEmpty() ? QStringLiteral("Quillmarsh Help")
                                       : QStringLiteral("Quillmarsh Help - ") + topic);
    }

    // A reading column beside the owner's window, as tall as a good part of the screen.
    void Place(QWidget* owner) {
        QScreen* screen = owner != nullptr && owner->screen() != nullptr ? owner->screen()
                                                                         : QGuiApplication::primaryScreen();
        if (screen == nullptr) {
            resize(640, 720);
            return;
        }
        const QRect area = screen->availableGeometry();
        const int width = qBound(480, area.width() / 3, 900);
        const int height = qBound(400, area.height() * 3 / 4, 1400);
        resize(width, height);
        move(area.right() - width - area.width() / 20, area.top() + (area.height() - height) / 2);
    }

    QTextBrowser* m_browser = nullptr;
    QToolButton* m_contents = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QUrl m_contentsPage;
    QMetaObject::Connection m_ownerClosing;
};

QPointer<HelpWindow> g_window;
} // namespace

void HtmlHelp(QWidget* owner, const QString& helpFile, int command, int context) {
    if (g_record) {
        g_calls.append(HelpCall{helpFile, command, context});
        return;
    }
    if (!g_window) {
        g_window = new HelpWindow;
    }
    // Any command but "the topic of a context" shows the contents.
    g_window->Show(owner, helpFile, command == HH_HELP_CONTEXT ? context : kHelpContentsContext);
}

const QList<HelpCall>& RecordedHelpCalls() {
    return g_calls;
}

void ClearRecordedHelpCalls() {
    g_calls.clear();
}

void SetHelpRecordingForTests(bool record) {
    g_record = record;
}

QString HelpFolder(const QString& helpFile) {
    // The program names the file as folder & "\QLM.chm".
    QString path = helpFile;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(QFileInfo(path).absolutePath() + QStringLiteral("/help"));
}

QString HelpTopicFile(const QString& helpFile, int context) {
    const QDir folder(HelpFolder(helpFile));
    for (const int wanted : {context, kHelpContentsContext}) {
        if (wanted <= 0) {
            continue;
        }
        const QStringList pages = folder.entryList({QString::number(wanted) + QStringLiteral("-*.html")},
                                                   QDir::Files | QDir::Readable, QDir::Name);
        if (!pages.isEmpty()) {
            return folder.filePath(pages.first());
        }
    }
    return QString();
}

QUrl ShownHelpPage() {
    return g_window ? g_window->Page() : QUrl();
}

QString ShownHelpTitle() {
    return g_window ? g_window->windowTitle() : QString();
}

void CloseHelpWindow() {
    if (g_window) {
        g_window->close();
    }
}
