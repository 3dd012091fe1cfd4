// The engineering-unit picker: the unit names by code, the groups covering every code once,
// picking by group and name, and the names against the published units table.

#include "protocols/ethernet/bacnet/UBACnet_Eng_Unit.h"

#include "common/GlyphButton.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using ethernet::Desc_Unit;
using ethernet::TFBACnet_Eng_Unit;

TEST(BACnetEngUnit, DescUnitNamesCodesAndUnknown)
{
    const std::pair<int, const char*> cases[] = {
        {62, "degrees-Celsius"},
        {51, "housepower"},
        {103, "radiants"},
        {0, "square-meters"},
        {236, "minutes-per-degree-kelvin"},
        {237, "unknown"},
        {-1, "unknown"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(Desc_Unit(code), QLatin1String(name)) << code;
}

TEST(BACnetEngUnit, EveryCodeSitsInExactlyOneGroupAndOtherEndsWithPerMilleOnwards)
{
    const auto groups = ethernet::Unit_Groups();
    ASSERT_EQ(groups.size(), 23u);
    std::map<int, int> seen;
    for (const auto& g : groups)
        for (int code : g.codes)
            ++seen[code];
    for (int code = 0; code <= ethernet::kLast_Unit_Code; ++code)
        EXPECT_EQ(seen[code], 1) << code;
    EXPECT_EQ(seen.size(), size_t(ethernet::kLast_Unit_Code + 1));

    EXPECT_EQ(groups.front().name, "Acceleration");
    const auto& other = groups.back();
    EXPECT_EQ(other.name, "Other");
    ASSERT_GE(other.codes.size(), 30u);
    const auto tail = other.codes.last(30);
    for (int k = 0; k < 30; ++k)
        EXPECT_EQ(tail[size_t(k)], 207 + k);
}

TEST(BACnetEngUnit, TheListSpellsFourEntriesItsOwnWay)
{
    EXPECT_EQ(ethernet::Unit_List_Name(172), QStringLiteral("ohms-meters"));
    EXPECT_EQ(ethernet::Unit_List_Name(139), QStringLiteral("megajoules-per-square-meter"));
    EXPECT_EQ(ethernet::Unit_List_Name(140), QStringLiteral("megajoules-per-square-foot"));
    EXPECT_EQ(ethernet::Unit_List_Name(207), QStringLiteral("per-mille"));
    EXPECT_EQ(Desc_Unit(172), QStringLiteral("ohm-meters"));
    EXPECT_EQ(Desc_Unit(139), QStringLiteral("megajoules-hours-per-square-meter"));
    EXPECT_EQ(ethernet::Unit_List_Name(62), Desc_Unit(62));
}

// The published units table names codes 0..236 as the picker does, apart from a few codes
// whose spelling the program has always shown its own way.
TEST(BACnetEngUnit, NamesMatchThePublishedUnitsTable)
{
    QV_REQUIRE_REFDATA(ref);
    QStringList lines;
    ASSERT_TRUE(platform::readTextLines(ref + QStringLiteral("/ede/EDE_2_2_example_Units.csv"), lines));
    std::map<int, QString> published;
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char(';'));
        bool ok = false;
        const int code = f.value(0).toInt(&ok);
        if (ok && f.size() >= 2)
            published[code] = f[1].trimmed();
    }
    const std::set<int> ownSpelling = {51, 77, 103, 128, 139, 140, 190};
    for (int code = 0; code <= ethernet::kLast_Unit_Code; ++code) {
        ASSERT_TRUE(published.count(code)) << code;
        const bool same = Desc_Unit(code).compare(published[code], Qt::CaseInsensitive) == 0;
        EXPECT_EQ(same, !ownSpelling.count(code))
            << code << " " << Desc_Unit(code).toStdString() << " / " << published[code].toStdString();
    }
}

class EngUnitPicker : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        services.messages = &messages;
        w = std::make_unique<TFBACnet_Eng_Unit>(services);
        w->setModal(true);
        w->show();
        QCoreApplication::processEvents();
    }

    void chooseGroup(const char* name)
    {
        const int index = w->CB_Select_Type->findText(QLatin1String(name));
        ASSERT_GE(index, 0) << name;
        w->CB_Select_Type->setCurrentIndex(index);
        emit w->CB_Select_Type->activated(index);
    }
    void pressSelect()
    {
        QTest::mouseClick(w->Btn_Select_Eng_Unit, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    testsupport::FakeMessages messages;
    platform::Services services;
    std::unique_ptr<TFBACnet_Eng_Unit> w;
};

TEST_F(EngUnitPicker, TextsAndSize)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Select the BACnet Engineering Unit"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Selected BACnet Engineering Unit"));
    EXPECT_EQ(w->Btn_Select_Eng_Unit->Caption(), QStringLiteral("Select Engineering Unit"));
    EXPECT_EQ(w->size(), QSize(TFBACnet_Eng_Unit::kClientWidth, TFBACnet_Eng_Unit::kClientHeight));
    EXPECT_EQ(w->CB_Select_Type->count(), 23);
    EXPECT_EQ(w->CB_Select_Type->currentText(), QStringLiteral("Acceleration"));
    EXPECT_EQ(w->CB_Select_Unit->currentText(), QStringLiteral("meters-per-second-per-second"));
}

TEST_F(EngUnitPicker, AreaWithoutTouchingTheUnitListGivesItsFirstUnit)
{
    chooseGroup("Area");
    EXPECT_EQ(w->CB_Select_Unit->count(), 4);
    pressSelect();
    EXPECT_EQ(w->E_Selected_EU->text(), QStringLiteral("0"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("-> square-meters"));

    // No unit selected at all gives 0 too.
    w->CB_Select_Unit->setCurrentIndex(-1);
    w->E_Selected_EU->setText(QStringLiteral("5"));
    pressSelect();
    EXPECT_EQ(w->E_Selected_EU->text(), QStringLiteral("0"));
}

TEST_F(EngUnitPicker, PerMilleGivesItsCodeAndName)
{
    chooseGroup("Other");
    const int index = w->CB_Select_Unit->findText(QStringLiteral("per-mille"));
    ASSERT_GE(index, 0);
    w->CB_Select_Unit->setCurrentIndex(index);
    pressSelect();
    EXPECT_EQ(w->E_Selected_EU->text(), QStringLiteral("207"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("-> per-mille"));
}

TEST_F(EngUnitPicker, ShownAgainTheUnitListFollowsTheGroupKept)
{
    chooseGroup("Torque");
    w->CB_Select_Unit->clear();
    w->hide();
    w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->CB_Select_Type->currentText(), QStringLiteral("Torque"));
    EXPECT_EQ(w->CB_Select_Unit->currentText(), QStringLiteral("newton-meters"));
}

TEST_F(EngUnitPicker, Screenshot)
{
    chooseGroup("Temperature");
    pressSelect();
    const QImage shot = testsupport::takeScreenshot(*w, QStringLiteral("windows/BACnet_Eng_Unit_window.png"));
    EXPECT_EQ(shot.size(), QSize(TFBACnet_Eng_Unit::kClientWidth, TFBACnet_Eng_Unit::kClientHeight));
    EXPECT_TRUE(testsupport::titleDrawn(shot, *w));
    // The chosen unit's number in its box.
    EXPECT_TRUE(testsupport::controlShowsText(shot, *w, *w->E_Selected_EU));
}

} // namespace
