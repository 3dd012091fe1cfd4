#pragma once
// The about window: program name, converter description, software code, version and manual
// code, with the maker's logo and web address opening the maker's home page. Its texts are
// fixed in English: it has no Set_Lang and a language change leaves it alone.

#include "common/UComonState.h"
#include "common/UFormParts.h"
#include <QDialog>
#include <QString>

class QLabel;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace app {

// The maker's web host: home page, download page and version service all live there.
inline constexpr const char* kMakerWebHost = common::kMakerHost;
// The code of the gateway's manual.
inline constexpr const char* kManualCode = "DM40517";

// The maker's home page, telling it which program sent the visitor.
QString Home_Page_Address();

class TFAbout : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 425;
    static constexpr int kClientHeight = 148;

    explicit TFAbout(platform::Services& services, QWidget* parent = nullptr);
    ~TFAbout() override;

    // Each showing: the four values and the window's size.
    void FormShow() override;
    // Logo and web address: the maker's home page in the desktop's browser.
    void Label4Click();

    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label4 = nullptr;
    TGlyphButton* GlyphButton1 = nullptr;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
};

} // namespace app
