#pragma once
// The owner-drawn push button of every window: face, edges, caption and a cell of a glyph
// strip, hot-track colour under the mouse, modal result, and Enter/Escape as the default or
// cancel button of its window. Drawing routines and enumerations are in GlyphButtons.h.

#include "common/GlyphButtons.h"
#include "platform/Colors.h"

#include <QAction>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <memory>

class TGlyphButton : public QWidget {
    Q_OBJECT
public:
    explicit TGlyphButton(QWidget* owner = nullptr);
    ~TGlyphButton() override;

    // Caption alignment: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment Alignment() const { return FAlignment; }
    void setAlignment(Qt::Alignment value);
    bool Cancel() const { return FCancel; }
    void setCancel(bool value);
    QString Caption() const { return FCaption; }
    void setCaption(const QString& value);
    platform::TColor Color() const { return FColor; }
    void setColor(platform::TColor value);
    // Reading always gives lcsCustom; writing another style applies its preset.
    TGlyphColorStyle ColorStyle() const { return FDummyStyle; }
    void setColorStyle(TGlyphColorStyle value);
    platform::TColor ColorWhenDown() const { return FColorWhenDown; }
    void setColorWhenDown(platform::TColor value) { FColorWhenDown = value; }
    bool Default() const { return FDefault; }
    void setDefault(bool value);
    bool Flat() const { return FFlat; }
    void setFlat(bool value);
    // The colour of Font (a QFont carries none).
    platform::TColor FontColor() const { return FFontColor; }
    void setFontColor(platform::TColor value);
    const QImage& Glyph() const { return FGlyph; }
    void setGlyph(const QImage& value);
    platform::TColor HotTrackColor() const { return FHotTrackColor; }
    void setHotTrackColor(platform::TColor value) { FHotTrackColor = value; }
    QFont HotTrackFont() const { return FHTFont; }
    void setHotTrackFont(const QFont& value) { FHTFont = value; }
    platform::TColor HotTrackFontColor() const { return FHTFontColor; }
    void setHotTrackFontColor(platform::TColor value) { FHTFontColor = value; }
    TGlyphButtonKind Kind() const { return FKind; }
    void setKind(TGlyphButtonKind value);
    TGlyphButtonLayout Layout() const { return FLayout; }
    void setLayout(TGlyphButtonLayout value);
    platform::TColor LightColor() const { return FLightColor; }
    void setLightColor(platform::TColor value);
    int ModalResult() const { return FModalResult; }
    void setModalResult(int value);
    int NumGlyphs() const { return FNumGlyphs; }
    void setNumGlyphs(int value);
    platform::TColor ShadowColor() const { return FShadowColor; }
    void setShadowColor(platform::TColor value);
    bool SlowDecease() const { return FSlowDecease; }
    void setSlowDecease(bool value);
    TGlyphButtonStyle Style() const { return FStyle; }
    void setStyle(TGlyphButtonStyle value);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void setUseHotTrackFont(bool value) { FUseHTFont = value; }
    bool WordWrap() const { return FWordWrap; }
    void setWordWrap(bool value);
    QMenu* PopupMenu() const { return FPopupMenu; }
    void setPopupMenu(QMenu* value);
    // The linked action: caption, enabled state, hint and visibility follow it, and a click
    // triggers it.
    QAction* Action() const { return FAction; }
    void setAction(QAction* value);

    // The fade ticker; nullptr after SlowDecease was switched off.
    TGlyphButtonThread* Thread() const { return FThread.get(); }
    // The inputs the face painter takes from the button now.
    TGlyphFaceParams FaceParams() const;

    // Clicks the button as the user would: the click event, the modal result, the popup menu
    // and the linked action; nothing when it is hidden or disabled.
    void Click();

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseExit();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ActionChange();
    void FadeStep(TGlyphButtonThread* sender);
    bool DialogKey(QKeyEvent* e);
    void attachToWindow();
    void grabAccelerator();
    QImage renderFace() const;

    Qt::Alignment FAlignment = Qt::AlignHCenter;
    platform::TColor FShadowColor = platform::clGray;
    platform::TColor FColorWhenDown = platform::clNone;
    bool FEnabled = true;
    bool FFlat = false;
    bool FWordWrap = false;
    QImage FGlyph;
    platform::TColor FHotTrackColor = platform::clNone;
    QFont FHTFont;
    platform::TColor FHTFontColor = platform::clWindowText;
    TGlyphButtonKind FKind = TGlyphButtonKind::bkCustom;
    TGlyphButtonLayout FLayout = TGlyphButtonLayout::blGlyphLeft;
    platform::TColor FLightColor = platform::clWhite;
    int FModalResult = 0;
    int FNumGlyphs = 0;
    bool FUseHTFont = false;
    TGlyphColorStyle FDummyStyle = TGlyphColorStyle::lcsCustom;
    TGlyphButtonStyle FStyle = TGlyphButtonStyle::bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    std::unique_ptr<TGlyphButtonThread> FThread;
    int FHotTrackStep = 0;

    QString FCaption;
    platform::TColor FColor = platform::clBtnFace;
    platform::TColor FFontColor = platform::clWindowText;
    QPointer<QMenu> FPopupMenu;
    QPointer<QAction> FAction;
    QPointer<QWidget> keyWindow; // the window whose Enter and Escape this button watches
    int acceleratorId = 0;
    bool destroying = false;
};
