#pragma once
// Where alvetra-cli writes: results to the standard output, messages and progress to the
// standard error. On a terminal the progress is one line that updates in place; otherwise each
// operation's progress is a plain line when it starts and one when it ends.

#include <QIODevice>
#include <QString>

namespace alvetra::cli {

class Console {
public:
    Console(QIODevice &out, QIODevice &err, bool terminal) : out_(out), err_(err), terminal_(terminal) {}

    void result(const QString &line);
    // A message box's text: its lines (separated by CR) as lines.
    void message(const QString &text);

    void beginProgress(const QString &text, int steps);
    void stepProgress();
    void endProgress();

private:
    void write(QIODevice &device, const QString &text);
    QString progressLine() const;

    QIODevice &out_;
    QIODevice &err_;
    bool terminal_;
    QString progressText_;
    int step_ = 0;
    int steps_ = 0;
    bool progressShown_ = false;
};

} // namespace alvetra::cli
