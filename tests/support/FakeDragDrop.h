#pragma once
// A drag runner without the platform's modal loop: it keeps the drag's data for the test, runs
// a drop inside the drag when the test gives one (as the platform drops inside its loop), and
// ends as scripted: with the drop's effect, a set effect, or a cancel (Escape).

#include "platform/DragDrop.h"

#include <QMimeData>

#include <functional>
#include <memory>

namespace testsupport {

class FakeDragRunner final : public platform::DragRunner {
public:
    platform::DragOutcome run(const platform::DragRequest& request) override
    {
        ++runs;
        last = request;
        mime = platform::toMimeData(request.data, request.privateFormats);
        if (cancel)
            return {platform::DRAGDROP_S_CANCEL, platform::DROPEFFECT_NONE};
        // One turn of the platform's loop with the pointer where it is, then the drop.
        if (request.query)
            request.query();
        const int e = drop ? drop(*mime) : effect;
        if (request.feedback)
            request.feedback(e);
        if (e == platform::DROPEFFECT_NONE)
            return {platform::DRAGDROP_S_CANCEL, platform::DROPEFFECT_NONE};
        return {platform::DRAGDROP_S_DROP, e};
    }

    int effect = platform::DROPEFFECT_COPY;
    bool cancel = false;
    // A drop inside the drag, handed the drag's mime data; answers the target's effect.
    std::function<int(const QMimeData&)> drop;

    int runs = 0;
    platform::DragRequest last;
    std::unique_ptr<QMimeData> mime;
};

} // namespace testsupport
