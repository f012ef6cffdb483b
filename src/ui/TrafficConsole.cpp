#include "ui/TrafficConsole.h"

#include "link/FrameDecoder.h"
#include "link/Protocol.h"
#include "link/TrafficLogFormat.h"
#include "ui/Dialogs.h"
#include "ui/TrafficTexts.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace alvetra {

namespace tt = traffictexts;

// ---------------------------------------------------------------- buffer

void TrafficBuffer::take(const TrafficEvent &event)
{
    std::lock_guard lock(mutex_);
    if (events_.size() >= capacity_)
        events_.pop_front();
    events_.push_back(event);
}

std::vector<TrafficEvent> TrafficBuffer::takeAll()
{
    std::deque<TrafficEvent> taken;
    {
        std::lock_guard lock(mutex_);
        taken.swap(events_);
    }
    return {std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end())};
}

// ---------------------------------------------------------------- rows

namespace {

enum Column { TimeColumn, DirectionColumn, FrameColumn, MeaningColumn, ColumnCount };

struct Row {
    TrafficEvent event;
    int request = -1;   // request code without the reply bit; -1 for damaged text and noise
    bool error = false;
    QString meaning;
    // The same with the secrets masked (the same strings when the row holds none).
    QString maskedText;
    QString maskedMeaning;

    QString text(bool withSecrets) const
    {
        return withSecrets ? QString::fromLatin1(event.text.data(), qsizetype(event.text.size())) : maskedText;
    }
};

QString meaningOf(const FrameMeaning &m, bool withSecrets)
{
    QStringList parts;
    const QString name = tt::requestName(m.request);
    parts << (m.reply ? tt::kReply.arg(name) : name);
    if (m.address && m.count)
        parts << tt::kAddressCount.arg(*m.address).arg(*m.count);
    if (!m.bytes.empty())
        parts << tt::kData.arg(m.dataHex(withSecrets));
    if (!m.text.isEmpty())
        parts << tt::kText.arg(m.shownText(withSecrets));
    return parts.join(QStringLiteral(", "));
}

Row rowOf(TrafficEvent event)
{
    Row row;
    std::string masked;
    if (event.kind == TrafficEvent::Kind::Frame) {
        const FrameMeaning m = decodeFrameText(QByteArray::fromStdString(event.text), event.secrets);
        if (m.valid) {
            row.request = m.request;
            row.meaning = meaningOf(m, true);
            const QString maskedMeaning = meaningOf(m, false);
            row.maskedMeaning = maskedMeaning == row.meaning ? row.meaning : maskedMeaning;
            masked = maskedFrameText(event.text, m.frame, event.secrets);
        }
    }
    if (row.request < 0) {
        row.error = true;
        row.meaning = row.maskedMeaning = event.kind == TrafficEvent::Kind::Noise ? tt::kNoise : tt::kDamaged;
        masked = event.shownText(false);
    }
    row.maskedText = QString::fromLatin1(masked.data(), qsizetype(masked.size()));
    row.event = std::move(event);
    return row;
}

} // namespace

class TrafficRows : public QAbstractTableModel {
public:
    TrafficRows(std::size_t capacity, QObject *parent) : QAbstractTableModel(parent), capacity_(capacity) {}

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const Row &row = rows_[std::size_t(index.row())];
        if (role == Qt::ForegroundRole)
            return row.error ? QVariant(QColor(Qt::red)) : QVariant();
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case TimeColumn: return QString::number(double(row.event.microseconds) / 1000.0, 'f', 1);
        case DirectionColumn: return row.event.direction == TrafficEvent::Direction::ToUnit ? tt::kToUnit : tt::kFromUnit;
        case FrameColumn: return row.text(withSecrets_);
        case MeaningColumn: return withSecrets_ ? row.meaning : row.maskedMeaning;
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        const QString titles[] = {tt::kColumnTime, tt::kColumnDirection, tt::kColumnFrame, tt::kColumnMeaning};
        return section >= 0 && section < ColumnCount ? titles[section] : QVariant();
    }

    void append(std::vector<TrafficEvent> events)
    {
        if (events.empty())
            return;
        if (events.size() > capacity_)
            events.erase(events.begin(), events.end() - std::ptrdiff_t(capacity_));
        const std::size_t overflow = rows_.size() + events.size() > capacity_ ? rows_.size() + events.size() - capacity_ : 0;
        if (overflow > 0) {
            beginRemoveRows({}, 0, int(overflow) - 1);
            rows_.erase(rows_.begin(), rows_.begin() + std::ptrdiff_t(overflow));
            endRemoveRows();
        }
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + events.size()) - 1);
        for (TrafficEvent &event : events)
            rows_.push_back(rowOf(std::move(event)));
        endInsertRows();
    }

    void clear()
    {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }

    const Row &row(int index) const { return rows_[std::size_t(index)]; }

    bool withSecrets() const { return withSecrets_; }
    void showSecrets(bool shown)
    {
        withSecrets_ = shown;
        if (!rows_.empty())
            emit dataChanged(index(0, FrameColumn), index(rowCount() - 1, MeaningColumn));
    }

private:
    std::size_t capacity_;
    bool withSecrets_ = false;
    std::deque<Row> rows_;
};

class TrafficFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void set(bool hideStatus, bool onlyErrors, int request)
    {
        hideStatus_ = hideStatus;
        onlyErrors_ = onlyErrors;
        request_ = request;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &) const override
    {
        const Row &row = static_cast<const TrafficRows *>(sourceModel())->row(sourceRow);
        if (onlyErrors_ && !row.error)
            return false;
        if (hideStatus_ && row.request == request::kStatus)
            return false;
        return request_ < 0 || row.request == request_;
    }

private:
    bool hideStatus_ = false;
    bool onlyErrors_ = false;
    int request_ = -1;
};

// ---------------------------------------------------------------- window

TrafficConsole::TrafficConsole(TrafficTap &tap, Dialogs &dialogs, QWidget *owner)
    : QWidget(owner, Qt::Window), tap_(tap), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("FormRuchNaLaczu"));
    setWindowTitle(tt::kTitle);
    resize(760, 420);
    rows_ = new TrafficRows(kCapacity, this);
    filter_ = new TrafficFilter(this);
    filter_->setSourceModel(rows_);
    buildControls();
    timer_ = new QTimer(this);
    timer_->setInterval(kPullIntervalMs);
    connect(timer_, &QTimer::timeout, this, &TrafficConsole::pull);
    timer_->start();
    tap_.attach(&buffer_);
}

TrafficConsole::~TrafficConsole()
{
    tap_.detach(&buffer_);
}

void TrafficConsole::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    layout->addLayout(bar);

    const auto button = [&](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        bar->addWidget(b);
        return b;
    };
    pause_ = button("BTN_Wstrzymaj", tt::kPause);
    pause_->setCheckable(true);
    connect(pause_, &QPushButton::toggled, this, &TrafficConsole::onPauseToggled);
    connect(button("BTN_Wyczysc", tt::kClear), &QPushButton::clicked, this, [this] {
        buffer_.takeAll();
        rows_->clear();
    });
    connect(button("BTN_Kopiuj", tt::kCopy), &QPushButton::clicked, this, &TrafficConsole::onCopy);
    connect(button("BTN_Zapisz", tt::kSave), &QPushButton::clicked, this, &TrafficConsole::onSave);

    hideStatus_ = new QCheckBox(tt::kHideStatus, this);
    hideStatus_->setObjectName(QStringLiteral("CHB_UkryjStan"));
    onlyErrors_ = new QCheckBox(tt::kOnlyErrors, this);
    onlyErrors_->setObjectName(QStringLiteral("CHB_TylkoBledy"));
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("CMB_Rodzaj"));
    type_->addItem(tt::kAllTypes, -1);
    for (int code : {request::kLogin, request::kRead, request::kWrite, request::kIdentifyFirst, request::kIdentifySecond,
                     request::kStatus, request::kLearning, request::kBlockKeeping, request::kDisconnect,
                     request::kConfirm, request::kConfirmCan})
        type_->addItem(tt::requestName(code), code);
    showSecrets_ = new QCheckBox(tt::kShowSecrets, this);
    showSecrets_->setObjectName(QStringLiteral("CHB_PokazHasla"));
    showSecrets_->setToolTip(tt::kShowSecretsTip);
    connect(showSecrets_, &QCheckBox::toggled, this, [this](bool shown) { rows_->showSecrets(shown); });
    bar->addWidget(hideStatus_);
    bar->addWidget(onlyErrors_);
    bar->addWidget(type_);
    bar->addWidget(showSecrets_);
    bar->addStretch();
    const auto refilter = [this] {
        filter_->set(hideStatus_->isChecked(), onlyErrors_->isChecked(), type_->currentData().toInt());
    };
    connect(hideStatus_, &QCheckBox::toggled, this, refilter);
    connect(onlyErrors_, &QCheckBox::toggled, this, refilter);
    connect(type_, &QComboBox::currentIndexChanged, this, refilter);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("TV_Ramki"));
    table_->setModel(filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: a view over 100 000 rows must not measure each of them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(TimeColumn, 80);
    table_->setColumnWidth(DirectionColumn, 80);
    table_->setColumnWidth(FrameColumn, 260);
    layout->addWidget(table_);
    auto *copy = new QShortcut(QKeySequence::Copy, table_);
    connect(copy, &QShortcut::activated, this, &TrafficConsole::onCopy);
}

void TrafficConsole::pull()
{
    if (pause_->isChecked())
        return;
    std::vector<TrafficEvent> events = buffer_.takeAll();
    if (events.empty())
        return;
    QScrollBar *scroll = table_->verticalScrollBar();
    const bool atBottom = scroll->value() == scroll->maximum();
    rows_->append(std::move(events));
    if (atBottom)
        table_->scrollToBottom();
}

void TrafficConsole::onPauseToggled(bool paused)
{
    if (!paused)
        pull();
}

int TrafficConsole::rowCount() const
{
    return rows_->rowCount();
}

int TrafficConsole::shownRowCount() const
{
    return filter_->rowCount();
}

QByteArray TrafficConsole::logText() const
{
    QByteArray text;
    for (int i = 0; i < rows_->rowCount(); ++i)
        text += trafficLogLine(rows_->row(i).event, rows_->withSecrets());
    return text;
}

QString TrafficConsole::shownText(bool selectedOnly) const
{
    QStringList lines;
    for (int i = 0; i < filter_->rowCount(); ++i) {
        if (selectedOnly && !table_->selectionModel()->isRowSelected(i, {}))
            continue;
        QStringList cells;
        for (int c = 0; c < ColumnCount; ++c)
            cells << filter_->index(i, c).data().toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TrafficConsole::onCopy()
{
    const bool selected = table_->selectionModel()->hasSelection();
    QApplication::clipboard()->setText(shownText(selected));
}

void TrafficConsole::onSave()
{
    FileDialogSettings settings;
    settings.mode = FileDialogSettings::Mode::Save;
    settings.title = tt::kSaveTitle;
    settings.filters = {tt::kSaveFilter};
    settings.defaultExtension = QStringLiteral("jsonl");
    settings.promptOverwrite = true;
    const std::optional<QString> path = dialogs_.chooseFile(this, settings);
    if (!path)
        return;
    QFile file(*path);
    const QByteArray text = logText();
    // The user's alone: with the secrets shown the log holds them.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
        || file.write(text) != text.size() || !file.flush())
        dialogs_.showMessage(this, {kCaptionError, tt::kSaveFailed.arg(*path, file.errorString()), MessageIcon::Error});
}

} // namespace alvetra
