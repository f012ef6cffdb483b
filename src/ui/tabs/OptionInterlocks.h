#pragma once
// The option interlocks: a function's check box makes the controls of its details usable or
// unusable. Each rule looks only at its own check box; it runs when the box changes state (by the
// user or the program) and when the settings are applied.

#include <QObject>

namespace alvetra {

class AntykradziezTab;
class AntynapadTab;
class KierunkiTab;
class ZamkiTab;

class OptionInterlocks : public QObject {
    Q_OBJECT
public:
    OptionInterlocks(KierunkiTab &kierunki, ZamkiTab &zamki, AntykradziezTab &antykradziez,
                     AntynapadTab &antynapad, QObject *parent);

    void CKB_KierunkiSekwencjaOnClick();
    void CKB_ZamekSterowanieOnClick();
    void CKB_ZamykaniePoStacyjceClick();
    void CKB_DodatkowyOtworzClick();
    void CKB_DodatkowyZamknij1Click();
    void CKB_DodatkowyZamknij2Click();
    void CKB_AntykradziezClick();
    void CKB_AntynapadClick();

private:
    KierunkiTab &kierunki_;
    ZamkiTab &zamki_;
    AntykradziezTab &antykradziez_;
    AntynapadTab &antynapad_;
};

} // namespace alvetra
