#pragma once
// The central-lock pulse diagrams: whenever the mouse moves over a lock control, one of them gets
// or loses the focus or its value changes, the diagram that belongs to that control is read from
// "Ikony/" beside the executable into IM_Otworz and IM_Zamknij. Nothing is cached: every load reads
// the file again, so replaced files show at once.
//
// A file that cannot be read is reported with diagramUnreadable ("Cannot open file "<path>".
// <reason>") and the image keeps its picture. The same failing file is reported once, not on every
// mouse move, until it has been read successfully again. Nothing is thrown: the loads run inside
// Qt's own frames (event filters, focus changes, value changes), which an exception must not cross,
// and a missing picture must never stop what the fitter was doing; the window shows the report
// when that has ended.

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QLabel;
class QWidget;

namespace alvetra {

class CentralLocksTab;

class LockDiagrams : public QObject {
    Q_OBJECT
public:
    LockDiagrams(CentralLocksTab &centralLocks, QObject *parent);

    // Folder the diagram files are read from (with a trailing slash); default: the executable's
    // folder + "Ikony/".
    void setFolder(const QString &folder);
    const QString &folder() const { return folder_; }

    // Reads the file into the image (see the class comment for failures).
    void loadDiagram(QLabel *image, const QString &fileName);
    // The file name of the picture the image shows; empty while it shows its initial picture.
    QString shownDiagram(const QLabel *image) const { return shown_.value(image); }

    // The handlers, each loading its pair of pictures.
    void onLockSettingsMouseMove();
    void onOpenPulsesMouseMove();
    void onClosePulsesMouseMove();
    void onMainPulsePanelMouseMove();
    void onMainPulseLengthClicked();
    void onMainPulseLengthEntered();
    void onMainPulseLengthExited();
    void resetToOverview();   // "Otworz1.bmp" and "Zamknij1.bmp", after settings were applied

signals:
    // A diagram file that cannot be read, in the framework's file-open error text.
    void diagramUnreadable(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SpinDiagram {
        QLabel *image;
        QString file;
    };
    void watchMouse(QWidget *widget);
    void loadPair(const QString &openingFile, const QString &closingFile);
    void onFocusChanged(QWidget *old, QWidget *now);
    bool insideMainPulseGroup(const QWidget *w) const;

    CentralLocksTab &centralLocks_;
    QString folder_;
    QHash<const QObject *, SpinDiagram> spinDiagrams_;   // spin edit and its inner edit -> diagram
    QHash<const QLabel *, QString> shown_;
    QSet<QString> reported_;
};

} // namespace alvetra
