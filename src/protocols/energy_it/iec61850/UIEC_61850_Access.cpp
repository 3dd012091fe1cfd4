#include "protocols/energy_it/iec61850/UIEC_61850_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"
#include "protocols/energy_it/iec61850/UIEC_61850_ClientFile.h"
#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"
#include "tables/TableEvents.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace energy_it {

using common::Lang_Text;

namespace {

constexpr const char* kCatalog_Folder = "ICD_Catalog";
// The SCL extensions in both cases: the platform's file dialog matches case-sensitively.
const QString kSCL_Filter =
    QStringLiteral("SCL Files (*.scd *.ssd *.sed *.icd *.iid *.cid *.SCD *.SSD *.SED *.ICD *.IID *.CID);;Any File (*)");

constexpr int kText_Missing_Catalog_Files = 3468;
constexpr int kText_Copy_Failed = 3469;

// Button captions and hints: {caption, hint}.
struct TButtonText {
    TGlyphButton* TFIEC_61850_Access::*button;
    int caption;
    int hint;
};
constexpr TButtonText kButtonTexts[] = {
    {&TFIEC_61850_Access::Btn_OK, 3402, 3410},
    {&TFIEC_61850_Access::Btn_Cancel, 3403, 3411},
    {&TFIEC_61850_Access::Btn_AddVar, 3404, 3412},
    {&TFIEC_61850_Access::Btn_RemoveVar, 3405, 3413},
    {&TFIEC_61850_Access::Btn_MoveUp, 3406, 3414},
    {&TFIEC_61850_Access::Btn_ModeDown, 3407, 3415},
    {&TFIEC_61850_Access::Btn_Add_IEC_Device, 3408, 3416},
    {&TFIEC_61850_Access::Btn_Remove_IEC_Device, 3409, 3417},
};

// Text colour of a tree item by its picture: data objects blue, data sets green.
QColor nodeColour(int picture)
{
    switch (picture) {
    case TFIEC_61850_Access::picDO:
        return QColor(0, 0, 255);
    case TFIEC_61850_Access::picDataSet:
        return QColor(0, 128, 0);
    default:
        return QColor(0, 0, 0);
    }
}

// Each object of a device's data-object tree, sub data objects and sub attributes included.
template <typename F>
void forEachDA(TIEC_DA& da, F& f)
{
    f(da.TreeNode);
    for (auto& sub : da.List_DA)
        forEachDA(*sub, f);
}
template <typename F>
void forEachDO(TIEC_DO& dobj, F& f)
{
    f(dobj.TreeNode);
    for (auto& sub : dobj.List_DO)
        forEachDO(*sub, f);
    for (auto& da : dobj.List_DA)
        forEachDA(*da, f);
}
// Calls f with the TreeNode field of every object of the device.
template <typename F>
void forEachTreeNode(TIEC_Device& dev, F f)
{
    f(dev.TreeNode);
    for (auto& ld : dev.List_LDevice) {
        f(ld->TreeNode);
        for (auto& ln : ld->List_LN) {
            f(ln->TreeNode);
            for (auto& dobj : ln->List_DO)
                forEachDO(*dobj, f);
            for (auto& ds : ln->List_DataSet)
                f(ds->TreeNode);
        }
    }
}

bool holdsDataSet(const TIEC_Device& dev, const TIEC_DataSet* dataSet)
{
    for (const auto& ld : dev.List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& ds : ln->List_DataSet)
                if (ds.get() == dataSet)
                    return true;
    return false;
}

// The search of a tree click among data objects and attributes: stops at the object shown by
// the node; the result is that object only when it is a leaf attribute.
struct TFound {
    bool stop = false;
    TIEC_DA* da = nullptr;
};
TFound searchDA(TIEC_DA& da, const QTreeWidgetItem* node)
{
    if (da.TreeNode == node)
        return {true, da.List_DA.empty() ? &da : nullptr};
    for (auto& sub : da.List_DA)
        if (TFound f = searchDA(*sub, node); f.stop)
            return f;
    return {};
}
TFound searchDO(TIEC_DO& dobj, const QTreeWidgetItem* node)
{
    if (dobj.TreeNode == node)
        return {true, nullptr};
    for (auto& sub : dobj.List_DO)
        if (TFound f = searchDO(*sub, node); f.stop)
            return f;
    for (auto& da : dobj.List_DA)
        if (TFound f = searchDA(*da, node); f.stop)
            return f;
    return {};
}

} // namespace

TFIEC_61850_Access::TFIEC_61850_Access(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FIEC_61850_Access"));
    FormCreate();
}

TFIEC_61850_Access::~TFIEC_61850_Access()
{
    // The tables' data sets and the tree refer into the devices: they go first.
    List_DataSet.clear();
    if (TV_IEC_Device)
        TV_IEC_Device->clear();
}

void TFIEC_61850_Access::FormCreate()
{
    QVBoxLayout* body = Build_Frame(common::Table_Frame(
        {kClientWidth, kClientHeight},
        {common::Slot_Button("Btn_OK", nullptr, 0), common::Slot_Button("Btn_Cancel", nullptr, 1, kModalCancel),
         common::Slot_Button("Btn_AddVar", &Btn_AddVar, 2), common::Slot_Button("Btn_RemoveVar", &Btn_RemoveVar, 3),
         common::Slot_Button("Btn_MoveUp", &Btn_MoveUp, 4), common::Slot_Button("Btn_ModeDown", &Btn_ModeDown, 5)}));

    auto* panes = new QSplitter(Qt::Horizontal, this);
    panes->setObjectName(QStringLiteral("P_Body"));
    panes->setChildrenCollapsible(false);
    body->addWidget(panes, 1);
    Make_Pictures();
    Build_Device_Panel(*panes);
    Build_Tables(*panes);
    panes->setSizes({190, 290, 720});

    // Moving rows was never finished: the buttons stay hidden and do nothing.
    Btn_MoveUp->hide();
    Btn_ModeDown->hide();
    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFIEC_61850_Access::Btn_OKClick);
    connect(Btn_AddVar, &TGlyphButton::OnClick, this, &TFIEC_61850_Access::Btn_AddVarClick);
    connect(Btn_RemoveVar, &TGlyphButton::OnClick, this, &TFIEC_61850_Access::Btn_RemoveVarClick);

    Set_Lang();
}

void TFIEC_61850_Access::Build_Device_Panel(QSplitter& body)
{
    auto* panel = new QWidget(&body);
    panel->setObjectName(QStringLiteral("P_Devices"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    Btn_Add_IEC_Device = new TGlyphButton(panel);
    Btn_Add_IEC_Device->setObjectName(QStringLiteral("Btn_Add_IEC_Device"));
    Btn_Add_IEC_Device->setFixedHeight(28);
    LB_IEC_Devices = new QListWidget(panel);
    LB_IEC_Devices->setObjectName(QStringLiteral("LB_IEC_Devices"));
    Btn_Remove_IEC_Device = new TGlyphButton(panel);
    Btn_Remove_IEC_Device->setObjectName(QStringLiteral("Btn_Remove_IEC_Device"));
    Btn_Remove_IEC_Device->setFixedHeight(28);
    layout->addWidget(Btn_Add_IEC_Device);
    layout->addWidget(LB_IEC_Devices, 1);
    layout->addWidget(Btn_Remove_IEC_Device);
    body.addWidget(panel);

    TV_IEC_Device = new QTreeWidget(&body);
    TV_IEC_Device->setObjectName(QStringLiteral("TV_IEC_Device"));
    TV_IEC_Device->setHeaderHidden(true);
    TV_IEC_Device->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TV_IEC_Device->setSelectionMode(QAbstractItemView::SingleSelection);
    body.addWidget(TV_IEC_Device);

    connect(Btn_Add_IEC_Device, &TGlyphButton::OnClick, this, &TFIEC_61850_Access::Btn_Add_IEC_DeviceClick);
    connect(Btn_Remove_IEC_Device, &TGlyphButton::OnClick, this, &TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick);
    connect(LB_IEC_Devices, &QListWidget::itemClicked, this, [this] { LB_IEC_DevicesClick(); });
    connect(TV_IEC_Device, &QTreeWidget::itemClicked, this, [this] { TV_IEC_DeviceClick(); });
}

void TFIEC_61850_Access::Make_Pictures()
{
    // Six 16 x 16 pictures: device, logical device, logical node, data object, data
    // attribute, data set.
    IL_IEC.clear();
    for (int picture = 0; picture < picCount; ++picture) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        switch (picture) {
        case picDevice: // a server box with two status lamps
            p.setBrush(QColor(0x70, 0x80, 0x90));
            p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
            p.setBrush(QColor(0x30, 0xD0, 0x30));
            p.drawEllipse(QPointF(4.5, 6), 1.5, 1.5);
            p.drawEllipse(QPointF(4.5, 10), 1.5, 1.5);
            break;
        case picLDevice: // a folder
            p.setBrush(QColor(0xF0, 0xC8, 0x50));
            p.drawRect(QRectF(1.5, 4.5, 13, 9));
            p.drawRect(QRectF(1.5, 2.5, 6, 2));
            break;
        case picLN: // a node: a circle with a dot
            p.setBrush(QColor(0x90, 0xB0, 0xE0));
            p.drawEllipse(QRectF(2, 2, 12, 12));
            p.setBrush(QColor(0x20, 0x40, 0x90));
            p.drawEllipse(QPointF(8, 8), 2, 2);
            break;
        case picDO: // a blue square
            p.setBrush(QColor(0x30, 0x50, 0xE0));
            p.drawRect(QRectF(3.5, 3.5, 9, 9));
            break;
        case picDA: // a small diamond
        {
            QPainterPath diamond;
            diamond.moveTo(8, 3);
            diamond.lineTo(13, 8);
            diamond.lineTo(8, 13);
            diamond.lineTo(3, 8);
            diamond.closeSubpath();
            p.setBrush(QColor(0xE0, 0x80, 0x30));
            p.drawPath(diamond);
            break;
        }
        case picDataSet: // a green list
            p.setBrush(QColor(0x40, 0xA0, 0x40));
            for (int line = 0; line < 3; ++line)
                p.drawRect(QRectF(2.5, 2.5 + 4 * line, 11, 2.5));
            break;
        default:
            break;
        }
        p.end();
        IL_IEC.append(QIcon(pixmap));
    }
}

void TFIEC_61850_Access::Set_Lang()
{
    setWindowTitle(Lang_Text(3400));
    L_SW_Desc->setText(Lang_Text(3401));
    for (const TButtonText& b : kButtonTexts) {
        (this->*b.button)->setCaption(Lang_Text(b.caption));
        (this->*b.button)->setToolTip(Lang_Text(b.hint));
    }
    PC_DA_DataSet->setTabText(0, QStringLiteral("Variables"));
    PC_DA_DataSet->setTabText(1, QStringLiteral("DataSet"));
    for (int c = 0; c < int(kDA_Columns.size()); ++c)
        ACG_DA->SetCells(c, 0, Lang_Text(kDA_Columns[size_t(c)].header));
    Hint.clear();
    for (int text : kHint_Texts)
        Hint.append(Lang_Text(text));
}

QString TFIEC_61850_Access::Catalog_Dir() const
{
    return platform::joinPath(common::State().Project_Dir, QLatin1String(kCatalog_Folder));
}

void TFIEC_61850_Access::Show_IEC_Devices()
{
    LB_IEC_Devices->clear();
    for (const auto& dev : List_IEC_Dev)
        LB_IEC_Devices->addItem(dev->fName);
}

TIEC_Device* TFIEC_61850_Access::Selected_Device() const
{
    const int index = LB_IEC_Devices->currentRow();
    if (index < 0 || index >= int(List_IEC_Dev.size()) || !LB_IEC_Devices->currentItem()
        || !LB_IEC_Devices->currentItem()->isSelected())
        return nullptr;
    return List_IEC_Dev[size_t(index)].get();
}

bool TFIEC_61850_Access::Add_Device(const QString& path)
{
    try {
        List_IEC_Dev.push_back(std::make_unique<TIEC_Device>(path));
    } catch (const platform::xml::XmlError& e) {
        if (services_.messages)
            services_.messages->error(this, QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick()
{
    const QString chosen =
        services_.dialogs ? services_.dialogs->openFileName(this, QString(), QString(), kSCL_Filter) : QString();
    if (chosen.isEmpty())
        return;
    const QString dir = Catalog_Dir();
    platform::createDirPath(dir); // a folder that cannot be made fails the copy below
    const QString target = platform::joinPath(dir, QFileInfo(chosen).fileName());
    bool copy = true;
    if (platform::fileExists(target)) {
        const platform::MsgResult answer =
            services_.messages ? services_.messages->askYesNoCancel(this, QLatin1String(kOverwriteQuestion))
                               : platform::MsgResult::Cancel;
        if (answer == platform::MsgResult::Cancel)
            return;
        copy = answer == platform::MsgResult::Yes;
    }
    // A failed copy is told and adds nothing: decoding the target would add a device the
    // catalogue does not hold (or an older copy the user meant to replace).
    QString error;
    if (copy && !platform::copyFileOver(chosen, target, &error)) {
        if (services_.messages)
            services_.messages->error(this, Lang_Text(kText_Copy_Failed) + target + QLatin1Char('\n') + error);
        return;
    }
    if (Add_Device(target))
        Show_IEC_Devices();
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick()
{
    const int index = LB_IEC_Devices->currentRow();
    if (!Selected_Device())
        return;
    const auto used = [index](const tables::TTableGrid& grid, int indexColumn) {
        for (int row = 1; row < grid.RowCount(); ++row)
            if (common::strToIntDef(grid.Cells(indexColumn, row), -1) == index)
                return true;
        return false;
    };
    if (used(*ACG_DA, da_col::Index) || used(*ACG_DataSet, ds_col::Index))
        return;
    // A data set chosen from this device stays referred to whatever its row's Index says.
    TIEC_Device* dev = List_IEC_Dev[size_t(index)].get();
    for (const auto& ds : List_DataSet)
        if (ds->Select_DataSet && holdsDataSet(*dev, ds->Select_DataSet))
            return;

    // The tree and the picks may show the device: they go with it, so Add Var cannot reach it.
    Clear_Tree();
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    delete LB_IEC_Devices->takeItem(index);
    LB_IEC_Devices->setCurrentRow(-1);
    missing_.erase(dev);
    List_IEC_Dev.erase(List_IEC_Dev.begin() + index);
    for (auto [grid, indexColumn] : {std::pair{ACG_DA, int(da_col::Index)}, std::pair{ACG_DataSet, int(ds_col::Index)}})
        for (int row = 1; row < grid->RowCount(); ++row) {
            const int number = common::strToIntDef(grid->Cells(indexColumn, row), -1);
            if (number > index)
                grid->SetCells(indexColumn, row, QString::number(number - 1));
        }
}

void TFIEC_61850_Access::Clear_Tree()
{
    // The objects of the device shown forget their nodes, so no search meets a deleted one.
    if (NODE_ORIG)
        for (const auto& dev : List_IEC_Dev)
            if (dev->TreeNode == NODE_ORIG)
                forEachTreeNode(*dev, [](QTreeWidgetItem*& node) { node = nullptr; });
    TV_IEC_Device->clear();
    NODE_ORIG = nullptr;
}

void TFIEC_61850_Access::LB_IEC_DevicesClick()
{
    TIEC_Device* dev = Selected_Device();
    if (!dev)
        return;
    Clear_Tree();
    // A device whose catalogue file is missing has nothing to show.
    if (!missing_.count(dev))
        Show_Tree_IEC_Device(*dev);
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
}

QTreeWidgetItem* TFIEC_61850_Access::Add_Node(QTreeWidgetItem* parent, const QString& text, TPicture picture)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TV_IEC_Device);
    item->setText(0, text);
    item->setIcon(0, IL_IEC[picture]);
    item->setData(0, kImageIndexRole, int(picture));
    item->setForeground(0, nodeColour(picture));
    return item;
}

void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device& app_IEC_Dev)
{
    NODE_ORIG = Add_Node(nullptr, app_IEC_Dev.fName, picDevice);
    app_IEC_Dev.TreeNode = NODE_ORIG;
    for (auto& ld : app_IEC_Dev.List_LDevice)
        Show_Tree_IEC_LDevice(*ld, NODE_ORIG);
    NODE_ORIG->setExpanded(true);
}

void TFIEC_61850_Access::Show_Tree_IEC_LDevice(TIEC_LDevice& ld, QTreeWidgetItem* NodeOrig)
{
    QTreeWidgetItem* node = Add_Node(NodeOrig, ld.fName, picLDevice);
    ld.TreeNode = node;
    for (auto& ln : ld.List_LN)
        Show_Tree_IEC_LN(*ln, node);
    node->setExpanded(true);
}

void TFIEC_61850_Access::Show_Tree_IEC_LN(TIEC_LN& ln, QTreeWidgetItem* NodeOrig)
{
    QTreeWidgetItem* node = Add_Node(NodeOrig, ln.fPrefix + ln.flnClass + ln.fInst, picLN);
    ln.TreeNode = node;
    for (auto& dobj : ln.List_DO)
        Show_Tree_IEC_DO(*dobj, node);
    for (auto& ds : ln.List_DataSet)
        Show_Tree_IEC_DataSet(*ds, node);
    node->setExpanded(true);
}

void TFIEC_61850_Access::Show_Tree_IEC_DO(TIEC_DO& dobj, QTreeWidgetItem* NodeOrig)
{
    QTreeWidgetItem* node = Add_Node(NodeOrig, dobj.fName, picDO);
    dobj.TreeNode = node;
    for (auto& sub : dobj.List_DO)
        Show_Tree_IEC_DO(*sub, node);
    for (auto& da : dobj.List_DA)
        Show_Tree_IEC_DA(*da, node);
}

void TFIEC_61850_Access::Show_Tree_IEC_DA(TIEC_DA& da, QTreeWidgetItem* NodeOrig)
{
    QTreeWidgetItem* node = Add_Node(NodeOrig, da.fName, picDA);
    da.TreeNode = node;
    for (auto& sub : da.List_DA)
        Show_Tree_IEC_DA(*sub, node);
}

void TFIEC_61850_Access::Show_Tree_IEC_DataSet(TIEC_DataSet& ds, QTreeWidgetItem* NodeOrig)
{
    ds.TreeNode = Add_Node(NodeOrig, ds.fName, picDataSet);
}

void TFIEC_61850_Access::TV_IEC_DeviceClick()
{
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    Selected_IEC_DA = Search_Node_Selected();
    if (!Selected_IEC_DA)
        Selected_IEC_DS = Search_Node_Selected_DataSet();
}

TIEC_DA* TFIEC_61850_Access::Search_Node_Selected() const
{
    TIEC_Device* dev = Selected_Device();
    const QTreeWidgetItem* node = TV_IEC_Device->currentItem();
    if (!dev || !node || node == dev->TreeNode)
        return nullptr;
    for (auto& ld : dev->List_LDevice) {
        if (ld->TreeNode == node)
            return nullptr;
        for (auto& ln : ld->List_LN) {
            if (ln->TreeNode == node)
                return nullptr;
            for (auto& dobj : ln->List_DO)
                if (TFound f = searchDO(*dobj, node); f.stop)
                    return f.da;
        }
    }
    return nullptr;
}

TIEC_DataSet* TFIEC_61850_Access::Search_Node_Selected_DataSet() const
{
    TIEC_Device* dev = Selected_Device();
    const QTreeWidgetItem* node = TV_IEC_Device->currentItem();
    if (!dev || !node || node == dev->TreeNode)
        return nullptr;
    for (auto& ld : dev->List_LDevice) {
        if (ld->TreeNode == node)
            return nullptr;
        for (auto& ln : ld->List_LN) {
            if (ln->TreeNode == node)
                return nullptr;
            for (auto& ds : ln->List_DataSet)
                if (ds->TreeNode == node)
                    return ds.get();
        }
    }
    return nullptr;
}

TIEC_DataSet* TFIEC_61850_Access::Get_DataSet(int index, const QString& reference) const
{
    if (index < 0 || index >= int(List_IEC_Dev.size()))
        return nullptr;
    for (auto& ld : List_IEC_Dev[size_t(index)]->List_LDevice)
        for (auto& ln : ld->List_LN)
            for (auto& ds : ln->List_DataSet)
                if (ds->fReference == reference)
                    return ds.get();
    return nullptr;
}

void TFIEC_61850_Access::FormShow()
{
    DataSet_Row_Select = 0;
    Members_Shown_Row = 0;
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    // The data sets and the tree refer into the devices: they go first.
    List_DataSet.clear();
    Clear_Tree();
    LB_IEC_Devices->clear();
    missing_.clear();
    while (!List_IEC_Dev.empty())
        List_IEC_Dev.pop_back();
    for (tables::TTableGrid* grid : {ACG_DA, ACG_DataSet, ACG_DS_Vars})
        Reset_Table(*grid);
    PC_DA_DataSet->setCurrentIndex(0);
    if (platform::fileExists(common::State().File_IEC_61850_Client))
        Load_File();
    Show_IEC_Devices();
}

void TFIEC_61850_Access::Load_File()
{
    const TIEC_Client_File file = Read_IEC_Client_File(common::State().File_IEC_61850_Client);

    // Catalogue: a missing file keeps its number as a placeholder, so the Index cells of the
    // rows still name the devices they were made from.
    QStringList missingFiles;
    for (const auto& icd : file.icdFiles) {
        const QString path = platform::joinPath(Catalog_Dir(), icd.FileName);
        if (platform::fileExists(path)) {
            List_IEC_Dev.push_back(std::make_unique<TIEC_Device>(path));
            continue;
        }
        auto placeholder = std::make_unique<TIEC_Device>(path);
        placeholder->fName = icd.Name;
        placeholder->fFileName = icd.FileName;
        missing_.insert(placeholder.get());
        List_IEC_Dev.push_back(std::move(placeholder));
        missingFiles.append(icd.FileName);
    }

    // Variables.
    for (size_t i = 0; i < file.daItems.size(); ++i) {
        const int row = Take_Row(*ACG_DA);
        ACG_DA->SetCells(da_col::N, row, QString::number(row));
        const QStringList& cells = file.daItems[i];
        for (int c = 0; c < cells.size(); ++c)
            ACG_DA->SetCells(c + 1, row, cells[c]);
    }
    Set_Start_Num_Byte();

    // Data sets: members survive only where the decoded data set still has the same member
    // at the same place.
    for (const auto& item : file.dataSets) {
        const int row = Take_Row(*ACG_DataSet);
        ACG_DataSet->SetCells(ds_col::N, row, QString::number(row));
        for (int c = 0; c < item.cells.size(); ++c)
            ACG_DataSet->SetCells(c + 1, row, item.cells[c]);
        auto dataSet = std::make_unique<TDataSet>();
        dataSet->Select_DataSet = Get_DataSet(item.index, item.cells[ds_col::Reference - 1]);
        if (dataSet->Select_DataSet) {
            const std::vector<TIEC_DA*>& members = dataSet->Select_DataSet->List_DA;
            for (size_t m = 0; m < item.members.size() && m < members.size(); ++m) {
                const TIEC_Client_File::TMember& saved = item.members[m];
                TIEC_DA* da = members[m];
                if (da->fbType != saved.bType.value_or(QString())
                    || da->fReference != saved.Reference.value_or(QString()))
                    continue;
                auto member = std::make_unique<TDataSet_DA>();
                member->Select_DA = da;
                member->Position = saved.Position.value_or(QString());
                member->bitAddress = saved.StartBit.value_or(QString());
                member->conversion = saved.Convertion.value_or(QString());
                member->multFactor = saved.MoltFact.value_or(QString());
                member->Mnemonic = saved.Mnemonic.value_or(QString());
                dataSet->List_DAs.push_back(std::move(member));
            }
        }
        List_DataSet.push_back(std::move(dataSet));
    }

    if (!missingFiles.isEmpty() && services_.messages)
        services_.messages->show(
            this, Lang_Text(kText_Missing_Catalog_Files) + QLatin1Char('\n') + missingFiles.join(QLatin1Char('\n')),
            QString(), platform::MsgIcon::Warning, platform::MsgButtons::Ok);
}

void TFIEC_61850_Access::Save_File_Record(TIEC_Client_File& file) const
{
    for (const auto& dev : List_IEC_Dev)
        file.icdFiles.push_back({dev->fName, dev->fFileName});
    const auto rowCells = [](const tables::TTableGrid& grid, int row, int columns) {
        QStringList cells;
        for (int c = 1; c < columns; ++c)
            cells.append(grid.Cells(c, row));
        return cells;
    };
    if (!Table_Empty(*ACG_DA))
        for (int row = 1; row < ACG_DA->RowCount(); ++row)
            file.daItems.push_back(rowCells(*ACG_DA, row, da_col::Count));
    if (Table_Empty(*ACG_DataSet))
        return;
    for (int row = 1; row < ACG_DataSet->RowCount(); ++row) {
        TIEC_Client_File::TDataSet_Item item;
        item.cells = rowCells(*ACG_DataSet, row, ds_col::Count);
        if (size_t(row - 1) < List_DataSet.size())
            for (const auto& member : List_DataSet[size_t(row - 1)]->List_DAs)
                item.members.push_back({member->Select_DA->fbType, member->Select_DA->fReference, member->Position,
                                        member->bitAddress, member->conversion, member->multFactor, member->Mnemonic});
        file.dataSets.push_back(std::move(item));
    }
}

void TFIEC_61850_Access::Btn_OKClick()
{
    for (tables::TTableGrid* grid : {ACG_DA, ACG_DataSet})
        grid->HideInplaceEdit();
    Commit_Members();
    if (!Controllo_dati())
        return;
    TIEC_Client_File file;
    Save_File_Record(file);
    QString error;
    if (!platform::replaceFile(common::State().File_IEC_61850_Client, IEC_Client_File_Bytes(file), &error)) {
        // The window stays open with the tables as typed, so nothing is lost.
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    done(kModalOK);
}

void TFIEC_61850_Access::reject()
{
    done(kModalCancel);
}

} // namespace energy_it
