// SPDX-License-Identifier: GPL-3.0-or-later
// Books and code tables of the sample library.
#include "app/sample/samplecatalog.h"

int SampleBook::coarseClassCount() const
{
    if (breakInches4 <= 0)
        return 1;
    if (breakInches5 <= 0)
        return 2;
    if (breakInches6 <= 0)
        return 3;
    return 4;
}

namespace SampleCatalog
{

namespace
{
QStringList split(const char *words)
{
    return QString::fromLatin1(words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

SampleBook book(const char *label, const char *description, double b4, double b5, double b6, const char *veg,
                const char *activities, const char *behave, const char *danger, double coarseScale, double duffScale)
{
    SampleBook b;
    b.label = QString::fromLatin1(label);
    b.description = QString::fromLatin1(description);
    b.breakInches4 = b4;
    b.breakInches5 = b5;
    b.breakInches6 = b6;
    b.vegTypes = split(veg);
    b.activities = split(activities);
    b.behaveModels = split(behave);
    b.dangerModels = split(danger);
    b.coarseScale = coarseScale;
    b.duffScale = duffScale;
    return b;
}

CodeTable table(const char *fileName, std::initializer_list<std::pair<const char *, const char *>> entries)
{
    CodeTable t;
    t.fileName = QString::fromLatin1(fileName);
    for (const auto &[code, description] : entries)
        t.entries.push_back({QString::fromLatin1(code), QString::fromLatin1(description)});
    return t;
}
} // namespace

const std::vector<SampleBook> &books()
{
    static const std::vector<SampleBook> list = {
        book("PNW-01", "Natural fuels of Douglas-fir and western hemlock forests, Pacific Northwest", 9, 20, 0,
             "DF DF WH RC SS GF", "NAT NAT NAT NAT WF BD", "8 10 10 9", "G H H", 1.0, 1.2),
        book("PNW-02", "Logging slash in Douglas-fir and western hemlock stands", 9, 20, 35, "DF DF WH RC WL",
             "CC CC PC THN PCT SLH PIL YUM", "11 12 12 13", "I J K", 1.3, 1.0),
        book("INT-01", "Lodgepole pine and mixed conifer fuels, northern Rocky Mountains", 9, 0, 0,
             "LP LP SAF ES WL DF", "NAT NAT THN PC RX", "8 10 10 12", "G H K", 0.8, 0.9),
        book("SW-01", "Pinyon-juniper and ponderosa pine fuels, Southwest", 0, 0, 0, "PJ PJ PP PP GR SB OAK",
             "NAT NAT THN RX RX", "2 6 9 1", "C F T U U", 0.35, 0.5),
        book("SE-01", "Southern pine and hardwood fuels, Coastal Plain", 0, 0, 0, "LLP LOB LOB SLP OAK",
             "NAT NAT RX RX THN PC", "7 8 9 3", "D E P R O", 0.45, 0.8),
        book("AK-01", "Black spruce and white spruce fuels, interior Alaska", 9, 0, 0, "BS BS WS AS", "NAT NAT WF CC",
             "9 10 5", "Q Q S R", 0.6, 1.6),
        book("CA-01", "Mixed conifer and chaparral fuels, Sierra Nevada", 6, 12, 0, "MC MC PP WF CH OAK",
             "NAT NAT RX THN PC", "4 5 8 10", "B F H U", 0.9, 1.1),
        book("LS-01", "Red pine and jack pine fuels, Lake States", 9, 20, 35, "RP JP JP AS", "NAT NAT THN CC SLH",
             "1 8 9 11 12", "A K L H", 0.8, 0.8),
    };
    return list;
}

const CodeTable &vegCodes()
{
    static const CodeTable t = table("VegCodes.txt", {
                                                         {"AS", "Aspen"},
                                                         {"BS", "Black spruce"},
                                                         {"CH", "Chaparral"},
                                                         {"DF", "Douglas-fir"},
                                                         {"ES", "Engelmann spruce"},
                                                         {"GF", "Grand fir"},
                                                         {"GR", "Grassland"},
                                                         {"JP", "Jack pine"},
                                                         {"LLP", "Longleaf pine"},
                                                         {"LOB", "Loblolly pine"},
                                                         {"LP", "Lodgepole pine"},
                                                         {"MC", "Mixed conifer, true fir and pine"},
                                                         {"OAK", "Oak, mixed hardwoods"},
                                                         {"PJ", "Pinyon-juniper"},
                                                         {"PP", "Ponderosa pine"},
                                                         {"RC", "Western redcedar"},
                                                         {"RP", "Red pine"},
                                                         {"SAF", "Subalpine fir"},
                                                         {"SB", "Sagebrush-grass"},
                                                         {"SLP", "Slash pine"},
                                                         {"SS", "Sitka spruce"},
                                                         {"WF", "White fir"},
                                                         {"WH", "Western hemlock"},
                                                         {"WL", "Western larch"},
                                                         {"WS", "White spruce"},
                                                     });
    return t;
}

const CodeTable &activityCodes()
{
    static const CodeTable t = table("ActCodes.txt", {
                                                         {"NAT", "Natural"},
                                                         {"CC", "Clearcut"},
                                                         {"PC", "Partial cut"},
                                                         {"THN", "Thinning"},
                                                         {"PCT", "Precommercial thinning"},
                                                         {"SLH", "Slash"},
                                                         {"PIL", "Piled slash"},
                                                         {"YUM", "Yarded, unmerchantable material removed"},
                                                         {"BD", "Blowdown"},
                                                         {"RX", "Prescribed burn"},
                                                         {"WF", "Wildfire"},
                                                     });
    return t;
}

const CodeTable &behaveCodes()
{
    static const CodeTable t = table("BehaveCodes.txt", {
                                                            {"1", "Short grass (1 ft)"},
                                                            {"2", "Timber (grass and understory)"},
                                                            {"3", "Tall grass (2.5 ft)"},
                                                            {"4", "Chaparral (6 ft)"},
                                                            {"5", "Brush (2 ft)"},
                                                            {"6", "Dormant brush, hardwood slash"},
                                                            {"7", "Southern rough"},
                                                            {"8", "Closed timber litter"},
                                                            {"9", "Hardwood litter"},
                                                            {"10", "Timber (litter and understory)"},
                                                            {"11", "Light logging slash"},
                                                            {"12", "Medium logging slash"},
                                                            {"13", "Heavy logging slash"},
                                                        });
    return t;
}

const CodeTable &dangerRatingCodes()
{
    static const CodeTable t = table("DangerRatingCodes.txt", {
                                                                  {"A", "Western grasses (annual)"},
                                                                  {"B", "California chaparral"},
                                                                  {"C", "Pine-grass savanna"},
                                                                  {"D", "Southern rough"},
                                                                  {"E", "Hardwood litter (winter)"},
                                                                  {"F", "Intermediate brush"},
                                                                  {"G", "Short-needle conifer (heavy dead)"},
                                                                  {"H", "Short-needle conifer (normal dead)"},
                                                                  {"I", "Heavy logging slash"},
                                                                  {"J", "Intermediate logging slash"},
                                                                  {"K", "Light logging slash"},
                                                                  {"L", "Western grasses (perennial)"},
                                                                  {"N", "Sawgrass"},
                                                                  {"O", "High pocosin"},
                                                                  {"P", "Southern pine plantation"},
                                                                  {"Q", "Alaskan black spruce"},
                                                                  {"R", "Hardwood litter (summer)"},
                                                                  {"S", "Tundra"},
                                                                  {"T", "Sagebrush-grass"},
                                                                  {"U", "Western long-needle pine"},
                                                              });
    return t;
}

std::vector<const CodeTable *> codeTables()
{
    return {&vegCodes(), &activityCodes(), &dangerRatingCodes(), &behaveCodes()};
}

QString describe(const CodeTable &table, const QString &code)
{
    for (const CodeEntry &entry : table.entries) {
        if (entry.code.compare(code, Qt::CaseInsensitive) == 0)
            return entry.description;
    }
    return QString();
}

QString activityPhrase(const QString &activityCode)
{
    static const std::vector<std::pair<QString, QString>> phrases = {
        {QStringLiteral("NAT"), QStringLiteral("natural fuels")},
        {QStringLiteral("CC"), QStringLiteral("clearcut slash")},
        {QStringLiteral("PC"), QStringLiteral("partial cut slash")},
        {QStringLiteral("THN"), QStringLiteral("thinning slash")},
        {QStringLiteral("PCT"), QStringLiteral("precommercial thinning slash")},
        {QStringLiteral("SLH"), QStringLiteral("unburned slash")},
        {QStringLiteral("PIL"), QStringLiteral("piled slash")},
        {QStringLiteral("YUM"), QStringLiteral("slash after yarding")},
        {QStringLiteral("BD"), QStringLiteral("blowdown")},
        {QStringLiteral("RX"), QStringLiteral("after prescribed burn")},
        {QStringLiteral("WF"), QStringLiteral("after wildfire")},
    };
    for (const auto &[code, phrase] : phrases) {
        if (code.compare(activityCode, Qt::CaseInsensitive) == 0)
            return phrase;
    }
    return QStringLiteral("mixed fuels");
}

QString classLabel(const SampleBook &book, int sizeClass)
{
    const QString inch = QStringLiteral("\"");
    switch (sizeClass) {
    case 1:
        return QStringLiteral("0-0.24") + inch;
    case 2:
        return QStringLiteral("0.25-0.9") + inch;
    case 3:
        return QStringLiteral("1-2.9") + inch;
    default:
        break;
    }
    const double lower[] = {3, book.breakInches4, book.breakInches5, book.breakInches6};
    const double upper[] = {book.breakInches4, book.breakInches5, book.breakInches6, 0};
    const int k = sizeClass - 4;
    if (k < 0 || k >= book.coarseClassCount())
        return QString();
    const QString from = QString::number(lower[k]);
    if (k == book.coarseClassCount() - 1)
        return from + QStringLiteral("+") + inch;
    return from + QLatin1Char('-') + QString::number(upper[k] - 0.1) + inch;
}

} // namespace SampleCatalog
