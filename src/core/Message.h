#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <array>

class QLabel;
class QPushButton;

// The program's own modal message box. Buttons: 1 OK, 2 OK and Cancel, 3 Yes and No. Icon:
// 1 information, 2 question, 3 warning, 4 alert. An empty title gives the product name;
// helpContext 0 means no Help button. Answers 1 OK, 2 Cancel (or the window closed), 6 Yes, 7 No.
int ShowMessage(const QString& message, int buttons, int icon, const QString& title, qint32 helpContext);

class frmMsg : public QDialog {
    Q_OBJECT
public:
    // Design sizes, in twips.
    static constexpr int kIconLeft = 240;
    static constexpr int kIconTop = 240;
    static constexpr int kIconSize = 480;
    static constexpr int kButtonWidth = 1200;
    static constexpr int kButtonHeight = 375;
    // A message wider than this wraps onto more lines.
    static constexpr int kMessageMaxWidth = 7200;

    explicit frmMsg(QWidget* parent = nullptr);

    // Lays the window out around the message (everything ShowMessage does before showing it).
    void Prepare(const QString& message, int buttons, int icon, const QString& title, qint32 helpContext);

    QLabel* imgInfo = nullptr;
    QLabel* lblMsg = nullptr;
    std::array<QPushButton*, 3> cmdButton{};

    // The window's size in twips, as laid out.
    int WindowWidth() const { return m_width; }
    int WindowHeight() const { return m_height; }
    int IconIndex() const { return m_icon; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cmdButton_Click(int index);
    void Form_Load();
    void Form_Unload();

    bool Unanswered = true;
    int m_width = 0;
    int m_height = 0;
    int m_icon = 1;
};

// Tests answer messages without a window: a queued answer is taken by the next message, and a
// message with no queued answer is recorded as unexpected (and answered 2) instead of shown.
namespace MessageTestSeam {
struct ShownMessage {
    QString text;
    int buttons = 0;
    int icon = 0;
    QString title;
    qint32 helpContext = 0;
};
void Enable(bool enabled);
bool Enabled();
void QueueAnswer(int answer);
int QueuedAnswers();
const QList<ShownMessage>& Answered();
const QList<ShownMessage>& Unexpected();
void Clear();
} // namespace MessageTestSeam
