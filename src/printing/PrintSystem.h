#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>

// Every exchange with the print system (CUPS) has a bounded wait: a scheduler that accepts a
// connection and never answers would otherwise hold the window for minutes. The exchange runs in
// a worker thread or a helper process while the window shows that it waits; after the bound the
// teacher is told that the print system is not answering.
inline constexpr std::chrono::milliseconds kPrintSystemWait{5000};
// The bound in force (tests shorten it).
std::chrono::milliseconds PrintSystemWait();

// What a worker asking the print system shares with the window thread. The worker gives up as
// soon as GiveUp() says so: its time is over, or the window no longer waits for it. An exchange
// bounded by silence gets its whole bound again at every answer: a print system that keeps
// answering, however slowly, is waited for, and one that goes silent is given up one bound after
// its last answer.
class PrintSystemExchange {
public:
    explicit PrintSystemExchange(std::chrono::steady_clock::time_point deadline,
                                 std::chrono::milliseconds silence = std::chrono::milliseconds(0))
        : m_deadline(deadline.time_since_epoch().count()), m_silence(silence) {}
    bool GiveUp() const { return m_abandoned || std::chrono::steady_clock::now() >= Deadline(); }
    std::chrono::steady_clock::time_point Deadline() const {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(m_deadline.load()));
    }
    // Milliseconds left before the deadline, at least 1.
    int MillisecondsLeft() const;
    // The print system answered (or took the whole document).
    void NoteAnswer();
    // The worker gave up because of the time, not because the print system said no.
    void NoteTimedOut() { m_timedOut = true; }
    bool TimedOut() const { return m_timedOut; }
    void Abandon() { m_abandoned = true; }
    bool Abandoned() const { return m_abandoned; }

private:
    std::atomic<std::chrono::steady_clock::rep> m_deadline;
    const std::chrono::milliseconds m_silence;
    std::atomic<bool> m_abandoned{false};
    std::atomic<bool> m_timedOut{false};
};

// One print command (Print, Print Preview, the preview's Print Now, a printer chosen in the
// dialog) waits for the print system once in all: its questions share one deadline, one bound
// after the command began, and what the print system said of its printers serves the whole
// command. A command given inside another is part of it. Each job a command hands over has a
// bound of its own, of silence: a job cut short could only be told as one that may still print,
// and a print system that keeps answering, however slowly, takes it.
class PrintCommand {
public:
    PrintCommand();
    ~PrintCommand();
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;

    // The command running, numbered from 1; 0 when none runs.
    static quint64 Running();
};
// By when a question asked now must be answered: the running command's deadline, or one bound
// from now outside a command.
std::chrono::steady_clock::time_point QuestionDeadline();
// The time from now to that deadline, none once it has passed.
std::chrono::milliseconds TimeLeftToAnswer();

// Runs ask in a worker thread that gives up at the deadline (moved on at each answer when a
// silence bound is given), the window thread waiting for it as WaitForPrintSystem does. False
// when it did not end in time (the worker is then abandoned: it ends by itself, and must keep to
// what it owns), or when the deadline has already passed. ask must not touch the window thread's
// state.
bool AskPrintSystem(const std::function<void(PrintSystemExchange&)>& ask,
                    std::chrono::steady_clock::time_point deadline,
                    std::chrono::milliseconds silence = std::chrono::milliseconds(0));

// Waits until done() is true or the bound has passed, showing that the program waits (a busy
// pointer, and a note over the main window once the wait is noticeable); the window is painted
// meanwhile, and the teacher's input is dropped (PrintInProgress). Answers done().
bool WaitForPrintSystem(const std::function<bool()>& done, std::chrono::milliseconds bound);
// The same until the time until() gives, asked again as the wait goes on.
bool WaitForPrintSystem(const std::function<bool()>& done,
                        const std::function<std::chrono::steady_clock::time_point()>& until);

// Whether the print system answered the last question put to it in time. A question that went
// unanswered is not put again for one wait's time, so that a command waits once, not once per
// question.
bool PrintSystemAnswered();
bool PrintSystemRecentlySilent();
void NotePrintSystemAnswer(bool answered);
// Why the print system could not be asked at all at the last question (it is not installed, or
// not running), as a sentence; empty when it answered or went silent. No printer is said to be
// missing then: the print system is.
QString PrintSystemMissing();
void NotePrintSystemMissing(const QString& why);
// Whether the print system's last answer was one the program cannot read (not IPP: something
// other than CUPS answers at its address, or a proxy between them changed the answer). No
// printer is said to be missing then either.
bool PrintSystemUnreadable();
void NotePrintSystemUnreadable(bool unreadable);

// For the helper processes that ask the print system for the program: the helper ends with the
// program that started it, and after twice the wait at the latest, whatever libcups waits for.
// False when the program has already gone.
bool EndWithTheProgram();
// A helper bounded by silence puts that backstop off at each answer.
void PutOffTheHelpersEnd();

// "The print system (CUPS) is not answering: ..." with the bound in seconds.
QString PrintSystemNotAnsweringText();
// "The print system (CUPS) gave an answer that ...", without a full stop.
QString PrintSystemUnreadableText();

namespace PrinterTestSeam {
// Every wait for the print system (the default printer's helper included) lasts at most this
// long, until the seam is reset.
void SetAnswerWait(std::chrono::milliseconds wait);
} // namespace PrinterTestSeam
