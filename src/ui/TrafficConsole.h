#pragma once
// The traffic console "Ruch na łączu": a window beside the main window with one row per text
// that crossed the line, newest at the bottom.
//
// The link's reader thread only appends to a TrafficBuffer (a mutex and a vector); the console
// takes the buffer's contents on a timer of its own, decodes them and keeps the newest
// kCapacity rows. Pausing stops the taking, not the buffer, which keeps the newest kCapacity
// texts meanwhile.
//
//   TrafficConsole console(link.traffic(), dialogs, mainWindow);
//   console.show();

#include "link/TrafficTap.h"

#include <QWidget>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableView;
class QTimer;

namespace alvetra {

class Dialogs;
class TrafficRows;
class TrafficFilter;

// What the reader thread appends to; never blocks it for longer than a vector append.
class TrafficBuffer : public TrafficSink {
public:
    explicit TrafficBuffer(std::size_t capacity) : capacity_(capacity) {}
    void take(const TrafficEvent &event) override;
    std::vector<TrafficEvent> takeAll();

private:
    std::mutex mutex_;
    std::size_t capacity_;
    std::deque<TrafficEvent> events_;
};

class TrafficConsole : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCapacity = 100000;
    static constexpr int kPullIntervalMs = 100;

    TrafficConsole(TrafficTap &tap, Dialogs &dialogs, QWidget *owner);
    ~TrafficConsole() override;

    // Takes what the buffer holds now (the timer does it every kPullIntervalMs).
    void pull();
    // Every kept row as a traffic log (one JSON line each). Here, in the rows and on the clipboard
    // the PC password and the code words are masked until the fitter ticks "CHB_PokazHasla".
    QByteArray logText() const;
    // The shown rows (after the filters), tab-separated, as "Kopiuj" puts them on the clipboard
    // when nothing is selected.
    QString shownText(bool selectedOnly) const;
    int rowCount() const;
    int shownRowCount() const;

private:
    void buildControls();
    void onSave();
    void onCopy();
    void onPauseToggled(bool paused);

    TrafficTap &tap_;
    Dialogs &dialogs_;
    TrafficBuffer buffer_{kCapacity};
    TrafficRows *rows_ = nullptr;
    TrafficFilter *filter_ = nullptr;
    QTableView *table_ = nullptr;
    QTimer *timer_ = nullptr;
    QPushButton *pause_ = nullptr;
    QCheckBox *hideStatus_ = nullptr;
    QCheckBox *onlyErrors_ = nullptr;
    QComboBox *type_ = nullptr;
    QCheckBox *showSecrets_ = nullptr;   // the PC password and the codes in clear
};

} // namespace alvetra
