#include "cli/Console.h"

#include <algorithm>

namespace alvetra::cli {

void Console::write(QIODevice &device, const QString &text)
{
    device.write(text.toUtf8());
}

void Console::result(const QString &line) { write(out_, line + QLatin1Char('\n')); }

void Console::message(const QString &text)
{
    if (text.isEmpty())
        return;
    endProgress();
    QString lines = text;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    write(err_, lines + QLatin1Char('\n'));
}

QString Console::progressLine() const { return QStringLiteral("%1%2/%3").arg(progressText_).arg(step_).arg(steps_); }

void Console::beginProgress(const QString &text, int steps)
{
    endProgress();
    progressText_ = text;
    step_ = 0;
    steps_ = steps;
    progressShown_ = true;
    write(err_, progressLine() + QLatin1String(terminal_ ? "" : "\n"));
}

void Console::stepProgress()
{
    if (!progressShown_)
        return;
    step_ = std::min(step_ + 1, steps_);
    if (terminal_)
        write(err_, QLatin1Char('\r') + progressLine());
}

void Console::endProgress()
{
    if (!progressShown_)
        return;
    progressShown_ = false;
    write(err_, terminal_ ? QStringLiteral("\n") : progressLine() + QLatin1Char('\n'));
}

} // namespace alvetra::cli
