#include "protocols/ethernet/bacnet/UBACnet_Eng_Unit.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace ethernet {

namespace {

// The names are the enumeration's, spelled as the program has always shown them (a few
// misspellings included: tools match them as text).
constexpr std::array<std::string_view, kLast_Unit_Code + 1> kUnitNames = {
    "square-meters",
    "square-feet",
    "milliamperes",
    "amperes",
    "ohms",
    "volts",
    "kilovolts",
    "megavolts",
    "volt-amperes",
    "kilovolt-amperes",
    "megavolt-amperes",
    "volt-amperes-reactive",
    "kilovolt-amperes-reactive",
    "megavolt-amperes-reactive",
    "degrees-phase",
    "power-factor",
    "joules",
    "kilojoules",
    "watt-hours",
    "kilowatt-hours",
    "btus",
    "therms",
    "ton-hours",
    "joules-per-kilogram-dry-air",
    "btus-per-pound-dry-air",
    "cycles-per-hour",
    "cycles-per-minute",
    "hertz",
    "grams-of-water-per-kilogram-dry-air",
    "percent-relative-humidity",
    "millimeters",
    "meters",
    "inches",
    "feet",
    "watts-per-square-foot",
    "watts-per-square-meter",
    "lumens",
    "luxes",
    "foot-candles",
    "kilograms",
    "pounds-mass",
    "tons",
    "kilograms-per-second",
    "kilograms-per-minute",
    "kilograms-per-hour",
    "pounds-mass-per-minute",
    "pounds-mass-per-hour",
    "watts",
    "kilowatts",
    "megawatts",
    "btus-per-hour",
    "housepower",
    "tons-refrigeration",
    "pascals",
    "kilopascals",
    "bars",
    "pounds-force-per-square-inch",
    "centimeters-of-water",
    "inches-of-water",
    "millimeters-of-mercury",
    "centimeters-of-mercury",
    "inches-of-mercury",
    "degrees-Celsius",
    "degrees-Kelvin",
    "degrees-Fahrenheit",
    "degree-days-Celsius",
    "degree-days-Fahrenheit",
    "years",
    "months",
    "weeks",
    "days",
    "hours",
    "minutes",
    "seconds",
    "meters-per-second",
    "kilometers-per-hour",
    "feet-per-second",
    "feet-per-meters",
    "miles-per-hour",
    "cubic-feet",
    "cubic-meters",
    "imperial-gallons",
    "liters",
    "us-gallons",
    "cubic-feet-per-minute",
    "cubic-meters-per-second",
    "imperial-gallons-per-minute",
    "liters-per-second",
    "liters-per-minute",
    "us-gallons-per-minute",
    "degrees-angular",
    "degrees-Celsius-per-hour",
    "degrees-Celsius-per-minute",
    "degrees-Fahrenheit-per-hour",
    "degrees-Fahrenheit-per-minute",
    "no-units",
    "parts-per-million",
    "parts-per-billion",
    "percent",
    "percent-per-second",
    "per-minute",
    "per-second",
    "psi-per-degree-Fahrenheit",
    "radiants",
    "revolutions-per-minute",
    "currency1",
    "currency2",
    "currency3",
    "currency4",
    "currency5",
    "currency6",
    "currency7",
    "currency8",
    "currency9",
    "currency10",
    "square-inches",
    "square-centimeters",
    "btus-per-pound",
    "centimeters",
    "pounds-mass-per-second",
    "delta-degrees-Fahrenheit",
    "delta-degrees-Kelvin",
    "kilohms",
    "megohms",
    "millivolts",
    "kilojoules-per-kilogram",
    "megajoules",
    "joules-per-degree-Kelvin",
    "btus-per-kilogram-degree-Kelvin",
    "kilohertz",
    "megahertz",
    "per-hour",
    "milliwatts",
    "hectopascals",
    "millibars",
    "cubic-meters-per-hour",
    "liters-per-hour",
    "kilowatt-hours-per-square-meter",
    "kilowatt-hours-per-square-foot",
    "megajoules-hours-per-square-meter",
    "megajoules-hours-per-square-foot",
    "watts-per-square-meter-degree-kelvin",
    "cubic-feet-per-second",
    "percent-obscuration-per-foot",
    "percent-obscuration-per-meter",
    "milliohms",
    "megawatt-hours",
    "kilo-btus",
    "mega-btus",
    "kilojoules-per-kilogram-dry-air",
    "megajoules-per-kilogram-dry-air",
    "kilojoules-per-degree-Kelvin",
    "megajoules-per-degree-Kelvin",
    "newton",
    "grams-per-second",
    "grams-per-minute",
    "tons-per-hour",
    "kilo-btus-per-hour",
    "hundredths-seconds",
    "milliseconds",
    "newton-meters",
    "millimeters-per-second",
    "millimeters-per-minute",
    "meters-per-minute",
    "meters-per-hour",
    "cubic-meters-per-minute",
    "meters-per-second-per-second",
    "amperes-per-meter",
    "amperes-per-square-meter",
    "ampere-square-meters",
    "farads",
    "henrys",
    "ohm-meters",
    "siemens",
    "siemens-per-meter",
    "teslas",
    "volts-per-degree-Kelvin",
    "volts-per-meter",
    "webers",
    "candelas",
    "candelas-per-square-meter",
    "degrees-Kelvin-per-hour",
    "degrees-Kelvin-per-minute",
    "joule-seconds",
    "radians-per-second",
    "square-meters-per-Newton",
    "kilograms-per-cubic-meter",
    "newton-seconds",
    "newtons-per-meter",
    "watts-per-meter-per-degree-Kelvin",
    "microsiemens",
    "cubic-feet-per-hour",
    "us-gallons-per-hour",
    "kilometers",
    "micrometers",
    "grams",
    "milligrams",
    "milliliters",
    "milliliters-per-second",
    "decibels",
    "decibels-millivolt",
    "decibels-volt",
    "millisiemens",
    "watt-hours-reactive",
    "kilowatt-hours-reactive",
    "megawatt-hours-reactive",
    "millimeters-of-water",
    "per-mille",
    "grams-per-gram",
    "kilograms-per-kilogram",
    "grams-per-kilogram",
    "milligrams-per-gram",
    "milligrams-per-kilogram",
    "grams-per-milliliter",
    "grams-per-liter",
    "milligrams-per-liter",
    "micrograms-per-liter",
    "grams-per-cubic-meter",
    "milligrams-per-cubic-meter",
    "micrograms-per-cubic-meter",
    "nanograms-per-cubic-meter",
    "grams-per-cubic-centimeter",
    "becquerels",
    "kilobecquerels",
    "megabecquerels",
    "gray",
    "milligray",
    "microgray",
    "sieverts",
    "millisieverts",
    "microsieverts",
    "microsieverts-per-hour",
    "decibels-a",
    "nephelometric-turbidity-unit",
    "pH",
    "grams-per-square-meter",
    "minutes-per-degree-kelvin",
};

// Where the unit list spells a code its own way.
struct TListSpelling {
    int code;
    std::string_view name;
};
constexpr TListSpelling kListSpellings[] = {
    {172, "ohms-meters"},
    {139, "megajoules-per-square-meter"},
    {140, "megajoules-per-square-foot"},
    {207, "per-mille"},
};

constexpr int kAcceleration[] = {166};
constexpr int kArea[] = {0, 116, 1, 115};
constexpr int kCurrency[] = {105, 106, 107, 108, 109, 110, 111, 112, 113, 114};
constexpr int kElectrical[] = {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,  172, 145, 122, 123, 190, 202, 173,
                               174, 175, 5,   124, 6,   7,   8,   9,   10,  11,  12, 13,  176, 177, 14,  15,  178};
constexpr int kEnergy[] = {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22};
constexpr int kEnthalpy[] = {23, 149, 150, 24, 117};
constexpr int kEntropy[] = {127, 151, 152, 128};
constexpr int kForce[] = {153};
constexpr int kFrequency[] = {25, 26, 27, 129, 130, 131};
constexpr int kHumidity[] = {28, 29};
constexpr int kLength[] = {194, 30, 118, 193, 31, 32, 33};
constexpr int kLight[] = {179, 180, 34, 35, 36, 37, 38};
constexpr int kMass[] = {196, 195, 39, 40, 41};
constexpr int kMassFlow[] = {154, 155, 42, 43, 44, 119, 45, 46, 156};
constexpr int kPower[] = {132, 47, 48, 49, 50, 157, 51, 52};
constexpr int kPressure[] = {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61};
constexpr int kTemperature[] = {62, 63, 181, 182, 64, 65, 66, 120, 121};
constexpr int kTime[] = {67, 68, 69, 70, 71, 72, 73, 158, 159};
constexpr int kTorque[] = {160};
constexpr int kVelocity[] = {161, 162, 74, 163, 164, 75, 76, 77, 78};
constexpr int kVolume[] = {79, 80, 81, 197, 82, 83};
constexpr int kVolumetricFlow[] = {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192};
constexpr int kOther[] = {90,  91,  92,  93,  94,  183, 186, 137, 138, 139, 140, 95,  187, 188, 96,
                          97,  98,  143, 144, 99,  100, 101, 102, 103, 184, 104, 185, 189, 141, 207,
                          208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222,
                          223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236};

constexpr TUnit_Group kGroups[] = {
    {"Acceleration", kAcceleration},
    {"Area", kArea},
    {"Currency", kCurrency},
    {"Electrical", kElectrical},
    {"Energy", kEnergy},
    {"Enthalpy", kEnthalpy},
    {"Entropy", kEntropy},
    {"Force", kForce},
    {"Frequency", kFrequency},
    {"Humidity", kHumidity},
    {"Length", kLength},
    {"Light", kLight},
    {"Mass", kMass},
    {"Mass Flow", kMassFlow},
    {"Power", kPower},
    {"Pressure", kPressure},
    {"Temperature", kTemperature},
    {"Time", kTime},
    {"Torque", kTorque},
    {"Velocity", kVelocity},
    {"Volume", kVolume},
    {"Volumetric Flow", kVolumetricFlow},
    {"Other", kOther},
};

QString text(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

constexpr int kTitleHeight = common::kTitlePanelHeight;

} // namespace

QString Desc_Unit(int code)
{
    if (code < 0 || code > kLast_Unit_Code)
        return QStringLiteral("unknown");
    return text(kUnitNames[size_t(code)]);
}

std::span<const TUnit_Group> Unit_Groups()
{
    return kGroups;
}

QString Unit_List_Name(int code)
{
    for (const TListSpelling& s : kListSpellings)
        if (s.code == code)
            return text(s.name);
    return Desc_Unit(code);
}

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FBACnet_Eng_Unit"));

    Build_Frame(common::Application_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_At_Right(kModalOK)));

    const auto label = [this](const char* name, int x, int y, int w) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(x, y, w, 18);
        // Texts from language files are shown as written, never as markup.
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    const auto combo = [this](const char* name, int x, int y, int w) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setGeometry(x, y, w, 22);
        c->setMaxVisibleItems(16);
        return c;
    };
    constexpr int left = 16;
    constexpr int width = kClientWidth - 2 * left;
    int y = kTitleHeight + 6;
    Label1 = label("Label1", left, y, width);
    E_Selected_EU = new QLineEdit(this);
    E_Selected_EU->setObjectName(QStringLiteral("E_Selected_EU"));
    E_Selected_EU->setGeometry(left, y + 20, 90, 22);
    Label5 = label("Label5", left + 100, y + 22, width - 100);
    y += 54;
    Label2 = label("Label2", left, y, width);
    y += 24;
    Label3 = label("Label3", left, y + 2, 120);
    CB_Select_Type = combo("CB_Select_Type", left + 124, y, 200);
    y += 28;
    Label4 = label("Label4", left, y + 2, 120);
    CB_Select_Unit = combo("CB_Select_Unit", left + 124, y, width - 124);
    y += 32;
    Btn_Select_Eng_Unit = new TGlyphButton(this);
    Btn_Select_Eng_Unit->setObjectName(QStringLiteral("Btn_Select_Eng_Unit"));
    Btn_Select_Eng_Unit->setGeometry(left + 124, y, 200, 28);

    for (const TUnit_Group& g : kGroups)
        CB_Select_Type->addItem(text(g.name));
    CB_Select_Type->setCurrentIndex(0);
    connect(CB_Select_Type, &QComboBox::activated, this, &TFBACnet_Eng_Unit::CB_Select_TypeSelect);
    connect(Btn_Select_Eng_Unit, &TGlyphButton::OnClick, this, &TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick);

    Set_Lang();
}

TFBACnet_Eng_Unit::~TFBACnet_Eng_Unit() = default;

void TFBACnet_Eng_Unit::Set_Lang()
{
    using common::Lang_Text;
    setWindowTitle(Lang_Text(2500));
    L_SW_Desc->setText(Lang_Text(2501));
    Btn_OK->setCaption(Lang_Text(2502));
    Btn_Cancel->setCaption(Lang_Text(2503));
    Label1->setText(Lang_Text(2504));
    Label2->setText(Lang_Text(2505));
    Label3->setText(Lang_Text(2506));
    Label4->setText(Lang_Text(2507));
    Btn_Select_Eng_Unit->setCaption(Lang_Text(2508));
}

void TFBACnet_Eng_Unit::FormShow()
{
    CB_Select_TypeSelect();
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect()
{
    CB_Select_Unit->clear();
    const int group = CB_Select_Type->currentIndex();
    if (group < 0 || group >= int(std::size(kGroups)))
        return;
    for (int code : kGroups[size_t(group)].codes)
        CB_Select_Unit->addItem(Unit_List_Name(code));
    CB_Select_Unit->setCurrentIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick()
{
    const int group = CB_Select_Type->currentIndex();
    const int index = CB_Select_Unit->currentIndex();
    int code = 0;
    if (group >= 0 && group < int(std::size(kGroups)) && index >= 0 && index < int(kGroups[size_t(group)].codes.size()))
        code = kGroups[size_t(group)].codes[size_t(index)];
    E_Selected_EU->setText(QString::number(code));
    Label5->setText(QStringLiteral("-> ") + Desc_Unit(code));
}

void TFBACnet_Eng_Unit::reject()
{
    done(kModalCancel);
}

} // namespace ethernet
