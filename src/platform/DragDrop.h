#pragma once
// Drag and drop with other windows and programs. A drag's data is a set of the platform's named
// clipboard formats, each one block of bytes laid out as Windows programs exchange them
// (zero-terminated texts, the DROPFILES list); one table converts them to and from the mime
// types Qt carries. A drag runs through a DragRunner handed in with the services: QDrag::exec in
// the program, a scripted double in tests (tests/support/FakeDragDrop.h).

#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QMimeData;
class QWidget;

namespace platform {

struct Services;

// The standard formats by the names the platform gives them.
inline const QString CF_TEXT = QStringLiteral("CF_TEXT");               // 8-bit text, zero-terminated
inline const QString CF_UNICODETEXT = QStringLiteral("CF_UNICODETEXT"); // UTF-16 text, zero-terminated
inline const QString CF_HDROP = QStringLiteral("CF_HDROP");             // a DROPFILES file list
inline const QString CF_RICHTEXT = QStringLiteral("Rich Text Format");  // 8-bit RTF, zero-terminated
// A browser's link: only its presence counts; the link's text travels as CF_UNICODETEXT.
inline const QString CF_URL = QStringLiteral("UniformResourceLocator");

// Results and effects of a drag, with the platform's values.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
inline constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);
inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
inline constexpr int DROPEFFECT_NONE = 0;
inline constexpr int DROPEFFECT_COPY = 1;
inline constexpr int DROPEFFECT_MOVE = 2;
// Key state bits of a drag.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_CONTROL = 0x0008;

// One drag's formats, in the order they were set.
class DragData {
public:
    void set(const QString& format, const QByteArray& bytes);
    bool has(const QString& format) const;
    // The format's bytes; empty when it is absent.
    QByteArray data(const QString& format) const;
    const std::vector<std::pair<QString, QByteArray>>& formats() const { return FFormats; }

private:
    std::vector<std::pair<QString, QByteArray>> FFormats;
};

// A format of the application's own, with the mime type it travels under.
struct PrivateFormat {
    QString format;
    QString mime;
};

// The conversions, walking one table of the standard formats and then the private ones: text
// (CF_UNICODETEXT first, CF_TEXT where it alone is present) as "text/plain", rich text as
// "text/rtf", file lists and links together as "text/uri-list", private formats byte for byte.
std::unique_ptr<QMimeData> toMimeData(const DragData& data, const std::vector<PrivateFormat>& privateFormats);
DragData fromMimeData(const QMimeData& mime, const std::vector<PrivateFormat>& privateFormats);

// Zero-terminated text blocks: UTF-16 (2 x length + 2 bytes) and their reading up to the first
// zero, or the block's end when it lacks one.
QByteArray wideTextBlock(const QString& text);
QString wideTextOf(const QByteArray& block);
QByteArray narrowTextOf(const QByteArray& block);

// The DROPFILES block: a 20-byte head (offset of the names, point, non-client flag, wide flag),
// then the names as zero-terminated UTF-16 and one more zero.
QByteArray dropFilesBlock(const QStringList& files);
// The names of a DROPFILES block, 8-bit or wide by its flag, up to the first empty one; a block
// cut short or with an offset outside it gives what lies inside.
QStringList readDropFiles(const QByteArray& block);

// What a drag needs from its starter: the data, the effects the source allows, the picture that
// follows the pointer (none: the platform's own), and the target's current effect as it changes.
struct DragRequest {
    QWidget* source = nullptr;
    DragData data;
    std::vector<PrivateFormat> privateFormats;
    int okEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    QPixmap picture;
    std::function<void(int effect)> feedback;
    // Asked again and again while the drag runs, so that the source can move what follows the pointer.
    std::function<void()> query;
};

// The drag's end: DRAGDROP_S_DROP with the effect, or DRAGDROP_S_CANCEL with DROPEFFECT_NONE.
struct DragOutcome {
    HRESULT result = DRAGDROP_S_CANCEL;
    int effect = DROPEFFECT_NONE;
};

class DragRunner {
public:
    virtual ~DragRunner() = default;
    // Runs the drag to its end; the drop, in this program or another, happens inside.
    virtual DragOutcome run(const DragRequest& request) = 0;
};

// QDrag::exec; the picture at cursor + (4, 4). Qt reports a refused drop and Escape alike as
// no action, so both end as a cancel.
class QtDragRunner final : public DragRunner {
public:
    DragOutcome run(const DragRequest& request) override;
};

// The services' runner, or Qt's own when they hold none.
DragRunner& dragRunner(const Services& services);

// Effects and Qt's drop actions: one action's effect, and the effects of a set of actions.
int effectOf(int qtDropAction);
int effectsOf(int qtDropActions);
int qtDropActionsOf(int effects);

} // namespace platform
