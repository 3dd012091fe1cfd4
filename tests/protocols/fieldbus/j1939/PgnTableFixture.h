#pragma once
// A J1939 or NMEA 2000 table window in a fresh program folder, driven like a user: its file
// in the temporary folder, message boxes recorded, and the steps every test of these tables
// takes (show afresh, fill rows, press OK and read the one message shown).

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace testsupport {

template <typename W>
class PgnTableTest : public TableWindowTest<W> {
protected:
    using TableWindowTest<W>::w;
    using TableWindowTest<W>::user;
    using TableWindowTest<W>::messages;
    using TableWindowTest<W>::open;
    using TableWindowTest<W>::path;

    grid::TQvColumnGrid& table() { return *w->sga; }

    // Shows the window without a file, fills rows 1, 2, ... from column 1 and presses OK: the
    // one message shown, or an empty text when OK saved and closed.
    QString okWith(const std::vector<QStringList>& rows)
    {
        QFile::remove(path());
        messages.shown.clear();
        open();
        for (size_t r = 0; r < rows.size(); ++r)
            TableWindowDriver::setRow(table(), int(r) + 1, rows[r]);
        user->press("Btn_OK");
        EXPECT_LE(user->messageCount(), 1u);
        if (user->messageCount() == 0) {
            EXPECT_TRUE(QFile::exists(path()));
            return QString();
        }
        EXPECT_FALSE(QFile::exists(path()));
        return user->lastMessage();
    }

    // The tooltip a pointer resting over a header cell shows.
    QString headerTip(int col)
    {
        QToolTip::hideText();
        const QRect r = table().CellRect(col, 0).toQRect();
        QHelpEvent e(QEvent::ToolTip, r.center(), table().viewport()->mapToGlobal(r.center()));
        QCoreApplication::sendEvent(table().viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

} // namespace testsupport
