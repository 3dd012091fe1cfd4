#include "protocols/ethernet/bacnet/UImportEDEFile.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <cstdint>

namespace ethernet {

using common::Lang_Text;
using common::trimBlanks;

namespace {

constexpr TEDE_Object_Kind kKinds[] = {
    {0, "Analog Input", "Real", 4},
    {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},
    {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},
    {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4},
    {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4},
    {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2},
    {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4},
    {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
};

// The EDE layout's own line numbers (from 0): the "# mandatory" line where the layout puts it,
// and its data two lines below.
constexpr int kMandatoryLine = 6;
constexpr int kDataAfterMandatory = 2;
// Fields of a line before the vendor address, which takes the rest.
constexpr int kFields = 15;

constexpr int kRowHeight = 21;

constexpr struct {
    int header;
    int width;
    bool readOnly;
    grid::TEditorType editor;
} kColumns[] = {
    {2304, 35, true, grid::edNormal},        {2305, 55, false, grid::edDataCheckBox},
    {2306, 55, false, grid::edDataCheckBox}, {2307, 55, false, grid::edDataCheckBox},
    {2308, 170, true, grid::edNormal},       {2309, 90, true, grid::edNormal},
    {2310, 80, true, grid::edNormal},        {2311, 215, true, grid::edNormal},
    {2312, 100, true, grid::edDataCheckBox},
};
static_assert(std::size(kColumns) == ede_col::Count);

constexpr int kText_Error_Line = 2313;
constexpr int kText_Only_Read = 2314;
constexpr int kText_Bad_IP = 2316;
constexpr int kText_Bad_Station = 2317;

// "#" followed, after blanks, by "mandatory": the line above the field names.
bool isMandatoryLine(const QString& line)
{
    const QString trimmed = trimBlanks(line);
    return trimmed.startsWith(QLatin1Char('#')) && trimBlanks(trimmed.mid(1)).startsWith(QLatin1String("mandatory"));
}

// The index of the first data line; -1 when the file has none.
int dataStart(const QStringList& lines)
{
    if (lines.size() <= kMandatoryLine)
        return -1;
    if (isMandatoryLine(lines[kMandatoryLine]))
        return kMandatoryLine + kDataAfterMandatory;
    int start = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (isMandatoryLine(lines[i]))
            start = i + kDataAfterMandatory;
    return start;
}

// Walks one line field by field from the left. A field not followed by ";" reads as empty
// and leaves the text for the fields after it.
class TFields {
public:
    explicit TFields(const QString& line) : rest_(line) {}

    QString First() const { return before(rest_); }
    QString Next()
    {
        drop();
        return before(rest_);
    }
    // Everything after the next ";", without a final ";".
    QString Rest()
    {
        drop();
        QString rest = rest_;
        if (rest.endsWith(QLatin1Char(';')))
            rest = trimBlanks(rest.left(rest.size() - 1));
        return rest;
    }

private:
    static QString before(const QString& text)
    {
        const qsizetype at = text.indexOf(QLatin1Char(';'));
        return at < 0 ? QString() : trimBlanks(text.left(at));
    }
    void drop()
    {
        const qsizetype at = rest_.indexOf(QLatin1Char(';'));
        if (at >= 0)
            rest_ = rest_.mid(at + 1);
        rest_ = trimBlanks(rest_);
    }

    QString rest_;
};

int number(const QString& field)
{
    return common::strToIntDef(field, -1);
}

bool yes(const QString& field)
{
    return common::upperAscii(field) == QLatin1String("Y");
}

TBACnet_Var parseLine(const QString& line)
{
    TFields f(line);
    QString fields[kFields];
    fields[0] = f.First();
    for (int i = 1; i < kFields; ++i)
        fields[i] = f.Next();
    TBACnet_Var v;
    v.keyname = fields[0];
    v.device_obj_instance = number(fields[1]);
    v.object_name = fields[2];
    v.object_type = number(fields[3]);
    v.object_instance = number(fields[4]);
    v.description = fields[5];
    v.present_value_default = fields[6];
    v.min_present_value = fields[7];
    v.max_present_value = fields[8];
    v.commandable = yes(fields[9]);
    v.support_COV = yes(fields[10]);
    v.hi_limit = fields[11];
    v.low_limit = fields[12];
    v.stete_text_reference = fields[13];
    v.unit_code = fields[14];
    v.vendor_specific_address = f.Rest();
    return v;
}

QString checkText(bool checked)
{
    return checked ? QStringLiteral("Y") : QStringLiteral("N");
}

} // namespace

const TEDE_Object_Kind* EDE_Object_Kind(int objectType)
{
    for (const TEDE_Object_Kind& kind : kKinds)
        if (kind.objectType == objectType)
            return &kind;
    return nullptr;
}

QString Get_ObjType_EDE(int objectType)
{
    const TEDE_Object_Kind* kind = EDE_Object_Kind(objectType);
    return kind ? QLatin1String(kind->name) : QString();
}

QString Get_DataType_EDE(int objectType)
{
    const TEDE_Object_Kind* kind = EDE_Object_Kind(objectType);
    return QLatin1String(kind ? kind->dataType : "Null");
}

int Get_NumByte_EDE(int objectType)
{
    const TEDE_Object_Kind* kind = EDE_Object_Kind(objectType);
    return kind ? kind->numByte : 4;
}

std::vector<TBACnet_Var> Read_EDE_Vars(const QStringList& lines)
{
    std::vector<TBACnet_Var> vars;
    const int start = dataStart(lines);
    if (start < 0)
        return vars;
    for (int i = start; i < lines.size(); ++i) {
        const QString line = trimBlanks(lines[i]);
        if (line.isEmpty())
            continue;
        TBACnet_Var v = parseLine(line);
        if (!EDE_Object_Kind(v.object_type))
            continue;
        v.import = true;
        v.read = true;
        v.write = v.commandable;
        vars.push_back(std::move(v));
    }
    return vars;
}

TFImportEDEFile::TFImportEDEFile(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FImportEDEFile"));
    FormCreate();
}

TFImportEDEFile::~TFImportEDEFile() = default;

void TFImportEDEFile::FormCreate()
{
    QVBoxLayout* body = Build_Frame(common::Table_Frame(
        {kClientWidth, kClientHeight},
        {common::Slot_Button("Btn_OK", nullptr, 0), common::Slot_Button("Btn_Cancel", nullptr, 1, kModalCancel),
         common::Slot_Button("Btn_Select_All", &Btn_Select_All, 2),
         common::Slot_Button("Btn_Unselect_All", &Btn_Unselect_All, 3)}));

    auto* address = new QWidget(this);
    auto* addressLayout = new QHBoxLayout(address);
    addressLayout->setContentsMargins(16, 4, 16, 4);
    LID_IP = new QLabel(address);
    LID_IP->setObjectName(QStringLiteral("LID_IP"));
    E_ID_IP = new QLineEdit(address);
    E_ID_IP->setObjectName(QStringLiteral("E_ID_IP"));
    E_ID_IP->setFixedWidth(160);
    addressLayout->addWidget(LID_IP);
    addressLayout->addWidget(E_ID_IP);
    addressLayout->addStretch(1);
    body->addWidget(address);

    ACG = new tables::TTableGrid(this);
    ACG->setObjectName(QStringLiteral("ACG"));
    std::vector<tables::TTableColumnDef> columns;
    for (const auto& c : kColumns)
        columns.push_back({c.width, c.readOnly, grid::clNone, c.editor, {}, c.editor == grid::edDataCheckBox});
    tables::Setup_Table(*ACG, 2, columns, 1, kRowHeight);
    ACG->OnCheckBoxClick = [this](grid::TQvStringGrid*, int col, int row, bool state) {
        ACGCheckBoxClick(col, row, state);
    };
    body->addWidget(ACG, 1);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFImportEDEFile::Btn_OKClick);
    connect(Btn_Select_All, &TGlyphButton::OnClick, this, &TFImportEDEFile::Btn_Select_AllClick);
    connect(Btn_Unselect_All, &TGlyphButton::OnClick, this, &TFImportEDEFile::Btn_Unselect_AllClick);

    Set_Lang();
}

void TFImportEDEFile::Set_Lang()
{
    setWindowTitle(Lang_Text(2300));
    L_SW_Desc->setText(Lang_Text(2301));
    Btn_OK->setCaption(Lang_Text(2302));
    Btn_Cancel->setCaption(Lang_Text(2303));
    Btn_Select_All->setCaption(Lang_Text(2320));
    Btn_Unselect_All->setCaption(Lang_Text(2321));
    LID_IP->setText(Lang_Text(2315));
    for (int c = 0; c < ede_col::Count; ++c)
        ACG->SetCells(c, 0, Lang_Text(kColumns[c].header));
}

void TFImportEDEFile::FormShow()
{
    ACG->HideInplaceEdit();
    Cancel_EDE_List_Vars();
    Load_EDE_File();
    Show_Data_in_Grid();
    if (E_ID_IP->isVisible() && E_ID_IP->isEnabled())
        E_ID_IP->setFocus();
}

void TFImportEDEFile::Cancel_EDE_List_Vars()
{
    List_EDE_Var.clear();
}

void TFImportEDEFile::Load_EDE_File()
{
    // The file was there when it was chosen; one gone or locked since is named, and the
    // picker shows no objects.
    if (EDE_File.isEmpty())
        return;
    QByteArray bytes;
    QString reason;
    if (!platform::readFile(EDE_File, bytes, &reason)) {
        if (services_.messages)
            services_.messages->error(this, QStringLiteral("Cannot open file \"%1\". %2").arg(EDE_File, reason));
        return;
    }
    List_EDE_Var = Read_EDE_Vars(platform::splitLines(platform::decodeText(bytes)));
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    const int count = int(List_EDE_Var.size());
    ACG->SetRowCount(std::max(2, count + 1));
    for (int c = 0; c < ede_col::Count; ++c)
        ACG->SetCells(c, 1, QString());
    ACG->SetCells(ede_col::N, 1, QStringLiteral("1"));
    for (int row = 1; row <= count; ++row) {
        const TBACnet_Var& v = List_EDE_Var[size_t(row - 1)];
        const QString cells[ede_col::Count] = {
            QString::number(row),
            checkText(v.import),
            checkText(v.read),
            checkText(v.write),
            v.object_name,
            QString::number(v.object_type),
            QString::number(v.object_instance),
            v.description,
            checkText(v.commandable),
        };
        for (int c = 0; c < ede_col::Count; ++c)
            ACG->SetCells(c, row, cells[c]);
    }
    ACG->SetRow(1);
    ACG->viewport()->update();
}

void TFImportEDEFile::ACGCheckBoxClick(int col, int row, bool state)
{
    if (row < 1 || row > int(List_EDE_Var.size()))
        return;
    TBACnet_Var& v = List_EDE_Var[size_t(row - 1)];
    switch (ACG->RealColIndex(col)) {
    case ede_col::Import:
        v.import = state;
        break;
    case ede_col::Read:
        v.read = state;
        break;
    case ede_col::Write:
        if (state && !v.commandable) {
            if (services_.messages)
                services_.messages->error(this, Lang_Text(kText_Error_Line) + QString::number(row)
                                                    + Lang_Text(kText_Only_Read));
            ACG->SetCells(ede_col::Write, row, checkText(false));
            ACG->viewport()->update();
            v.write = false;
            break;
        }
        v.write = state;
        break;
    default:
        break;
    }
}

void TFImportEDEFile::Set_Import_All(bool import)
{
    ACG->HideInplaceEdit();
    for (size_t i = 0; i < List_EDE_Var.size(); ++i) {
        List_EDE_Var[i].import = import;
        ACG->SetCells(ede_col::Import, int(i) + 1, checkText(import));
    }
    ACG->viewport()->update();
}

void TFImportEDEFile::Btn_Select_AllClick()
{
    Set_Import_All(true);
}

void TFImportEDEFile::Btn_Unselect_AllClick()
{
    Set_Import_All(false);
}

void TFImportEDEFile::Btn_OKClick()
{
    const QString address = E_ID_IP->text();
    int refused = 0;
    if (App_BACnet_Type == 0) {
        std::uint8_t a = 0, b = 0, c = 0, d = 0;
        if (common::Parse_IP_Bytes(address, a, b, c, d))
            refused = kText_Bad_IP;
    } else if (App_BACnet_Type == 1) {
        const int station = common::strToIntDef(address, -1);
        if (station < 0 || station > 254)
            refused = kText_Bad_Station;
    }
    if (refused) {
        if (services_.messages)
            services_.messages->error(this, Lang_Text(refused));
        return;
    }
    done(kModalOK);
}

void TFImportEDEFile::reject()
{
    done(kModalCancel);
}

} // namespace ethernet
