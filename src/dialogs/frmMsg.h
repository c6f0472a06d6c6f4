#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <array>

class QLabel;
class QPushButton;

// The program's own modal message box, laid out around its text: the window behind ShowMessage.
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
    // Help, then the answers: OK or Yes, Cancel or No, and Cancel when three are asked for.
    std::array<QPushButton*, 4> cmdButton{};

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

// Makes frmMsg the window that answers ShowMessage.
void InstallMessageBox();
