#include "SampleData.h"

#include "Database.h"
#include "SqlText.h"

#include "core/platform/DateText.h"

#include <QStringList>
#include <QVariant>

namespace {

struct Vendor {
    const char *company, *street1, *street2, *city, *state, *zip, *phone1, *phone2, *email, *website,
        *contact, *notes;
};

const Vendor Vendors[] = {
    {"Acme Industrial Supply", "1200 Foundry Rd", "", "Cleveland", "OH", "44114", "(216)-555-0140",
     "(216)-555-0141", "orders@acme-industrial.example", "www.acme-industrial.example", "Dana Porter",
     "Net 30. Ships same day before 2 pm."},
    {"Baldor Motor Service", "88 Armature Way", "Building C", "Fort Smith", "AR", "72901", "(479)-555-0102",
     "(479)-555-0103", "service@baldor-motor.example", "https://baldor-motor.example", "Luis Ortega",
     "Rewinds motors up to 200 hp."},
    {"Coastal Compressor Co.", "455 Harbor Blvd", "", "Norfolk", "VA", "23510", "(757)-555-0177", "",
     "parts@coastalcompressor.example", "www.coastalcompressor.example", "Amy Chen", "Quincy and Atlas dealer."},
    {"Delta Filtration", "9 Mill Street", "Suite 4", "Lowell", "MA", "01852", "(978)-555-0119",
     "(978)-555-0120", "sales@deltafilters.example", "www.deltafilters.example", "Ray Dubois", ""},
    {"Eastern Belt & Drive", "310 Pulley Lane", "", "Allentown", "PA", "18101", "(610)-555-0166", "",
     "info@easternbelt.example", "www.easternbelt.example", "Kim Novak", "Stocks Gates and Dayco belts."},
    {"Fulton Boiler Works", "3981 Port St", "", "Pulaski", "NY", "13142", "(315)-555-0130", "(315)-555-0131",
     "service@fultonboiler.example", "www.fultonboiler.example", "Pat Kowalski", "24-hour emergency line."},
    {"Grainger Branch 214", "7700 Commerce Pkwy", "", "Columbus", "OH", "43219", "(614)-555-0188", "",
     "branch214@grainger.example", "www.grainger.example", "Counter desk", ""},
    {"Hydra-Tech Hydraulics", "62 Valve Court", "Unit 12", "Rockford", "IL", "61101", "(815)-555-0155", "",
     "help@hydratech.example", "www.hydratech.example", "Sam Ibrahim", "Hose crimping on site."},
    {"Ingersoll Tooling", "14 Bench Ave", "", "Dayton", "OH", "45402", "(937)-555-0109", "(937)-555-0110",
     "quotes@ingersolltooling.example", "www.ingersolltooling.example", "Jo Martins", ""},
    {"Jet Pump & Seal", "501 River Rd", "", "Baton Rouge", "LA", "70802", "(225)-555-0193", "",
     "jet@pumpseal.example", "www.pumpseal.example", "Terry Boudreaux", "Mechanical seal rebuilds."},
    {"Keystone Electric", "2200 Conduit Dr", "Dock 3", "Harrisburg", "PA", "17101", "(717)-555-0124",
     "(717)-555-0125", "orders@keystone-electric.example", "www.keystone-electric.example", "Mia Russo", ""},
    {"Lincoln Weld Supply", "77 Arc Street", "", "Euclid", "OH", "44117", "(216)-555-0199", "",
     "welding@lincolnsupply.example", "www.lincolnsupply.example", "Gus Pappas", "Gas cylinders exchanged Fridays."},
};

struct PartSpec {
    const char *descr, *number;
};

struct ItemSample {
    const char *name, *tag, *location, *hazmat, *part, *serial;
    int vendor;
    int dueInDays; // service date relative to today; 0x7fff = no service date
    int warn, lead, interval;
    int stocked;
    const char *tools, *locked, *manuals;
    PartSpec parts[3];
};

constexpr int NoDate = 0x7fff;

const ItemSample Items[] = {
    {"Air Compressor", "AC-01", "Compressor Room", "Hearing protection", "GA37", "AII482913", 2, 5, 7, 14, 90, 1, "Filter wrench\r\n3/4\" socket set", "Dryer DR-01", "Atlas GA37 manual, shelf B2", {{"Air filter", "1613-8720-00"}, {"Oil separator", "2911-0075-00"}, {"Oil filter", "1613-6105-00"}}},
    {"Air Dryer", "DR-01", "Compressor Room", "", "FD120", "FD-22871", 2, 40, 10, 14, 180, 0, "Screwdrivers", "", "", {{"Drain valve kit", "2901-0645-00"}, {}, {}}},
    {"Boiler #1", "B-101", "Boiler House", "Hot surfaces; gloves and face shield", "Fulton VMP-60", "F88231", 5, -3, 14, 21, 365, 0, "Combustion analyzer\r\nTube brush", "Gas valve GV-1\r\nFeed pump P-7", "Fulton binder 1", {{"Burner gasket", "FB-2231"}, {"Sight glass", "FB-1180"}, {}}},
    {"Boiler #2", "B-102", "Boiler House", "Hot surfaces; gloves and face shield", "Fulton VMP-60", "F88232", 5, 60, 14, 21, 365, 0, "Combustion analyzer", "Gas valve GV-2", "Fulton binder 1", {{"Burner gasket", "FB-2231"}, {}, {}}},
    {"Conveyor Line 1", "CV-1", "Packing Hall", "Pinch points", "BeltMaster 40", "BM40-1177", 4, 2, 7, 10, 60, 1, "Belt tension gauge", "Labeler L-1", "", {{"Drive belt", "B-85"}, {"Bearing", "6205-2RS"}, {}}},
    {"Conveyor Line 2", "CV-2", "Packing Hall", "Pinch points", "BeltMaster 40", "BM40-1178", 4, 25, 7, 10, 60, 1, "Belt tension gauge", "", "", {{"Drive belt", "B-85"}, {}, {}}},
    {"Cooling Tower Fan", "CT-F1", "Roof", "Fall protection required", "Marley 4400", "MT-55012", 1, 12, 10, 30, 120, 0, "Laser alignment kit", "Tower pump P-3", "Marley O&M", {{"Fan belt", "5VX-1000"}, {"Gear oil", "ISO 220"}, {}}},
    {"Dust Collector", "DC-1", "Wood Shop", "Dust mask N95", "Donaldson DFO", "DF-7761", 3, 8, 10, 14, 90, 1, "Cartridge puller", "Table saw TS-1", "", {{"Filter cartridge", "P191920"}, {"Pulse valve", "P030341"}, {}}},
    {"Emergency Generator", "GEN-1", "Yard", "Exhaust fumes; diesel", "Cat C9", "CAT00C9XKT", 0, -10, 14, 30, 180, 0, "Load bank leads\r\nBattery tester", "Transfer switch ATS-1", "Cat SEBU8173", {{"Fuel filter", "1R-0751"}, {"Oil filter", "1R-0739"}, {"Air filter", "6I-2501"}}},
    {"Forklift #3", "FL-3", "Warehouse", "Propane cylinder", "Toyota 8FGU25", "60123", 6, 18, 7, 7, 90, 0, "Grease gun", "", "Toyota service manual", {{"Hydraulic filter", "67501-23320"}, {}, {}}},
    {"Hydraulic Press", "HP-200", "Press Shop", "High pressure fluid", "Dake 200T", "DK-200-441", 7, 1, 5, 10, 30, 1, "Pressure gauge", "Press HP-100", "Dake manual", {{"Seal kit", "HK-200"}, {"Hydraulic filter", "HF-10"}, {}}},
    {"Injection Molder", "IM-4", "Molding", "Hot molten plastic", "Engel 110", "EN110-9382", 8, 30, 10, 20, 90, 0, "Heater band tester", "Chiller CH-2\r\nDryer DR-4", "", {{"Heater band", "HB-220"}, {"Check ring", "CR-35"}, {}}},
    {"Lathe", "LA-2", "Machine Shop", "Rotating parts; eye protection", "Clausing 1500", "C15-2219", 8, 45, 7, 10, 180, 1, "Chuck key", "", "Clausing manual", {{"Drive belt", "A-42"}, {}, {}}},
    {"Main Switchgear", "SW-1", "Electrical Room", "Arc flash PPE cat 2", "Square D QED", "SD-4471", 10, 90, 30, 45, 365, 0, "IR camera\r\nTorque wrench", "All downstream panels", "NFPA 70B", {{"Fuse 600A", "LPS-RK-600"}, {}, {}}},
    {"Make-up Air Unit", "MAU-1", "Roof", "Fall protection required", "Greenheck IGX", "GH-77120", 3, 4, 7, 14, 90, 1, "Filter gauge", "", "", {{"Pleated filter 20x25", "20252"}, {"Belt", "AX-48"}, {}}},
    {"Mixer Tank 1", "MX-1", "Batch Room", "Corrosives; chemical goggles", "Lightnin 70", "LN-2291", 9, -1, 7, 14, 120, 0, "Seal installation tool", "Transfer pump P-12", "", {{"Mechanical seal", "MS-175"}, {}, {}}},
    {"Overhead Crane", "CR-5", "Press Shop", "Suspended loads", "Demag 5T", "DM5-8823", 0, 15, 14, 30, 180, 0, "Load test weights", "Press HP-200", "Demag manual", {{"Brake pad set", "DB-512"}, {"Limit switch", "LS-9"}, {}}},
    {"Paint Booth Exhaust", "PB-1", "Paint Shop", "Solvent vapours; respirator", "Global 10", "GF-6610", 3, 6, 7, 10, 60, 1, "Manometer", "Spray guns", "", {{"Exhaust filter", "PF-2020"}, {}, {}}},
    {"Pump P-7", "P-7", "Boiler House", "", "Grundfos CR5", "GR-55102", 9, 20, 7, 14, 180, 1, "Coupling puller", "", "", {{"Shaft seal", "96455086"}, {}, {}}},
    {"Pump P-12", "P-12", "Batch Room", "Corrosives", "Goulds 3196", "GO-7718", 9, 75, 10, 21, 180, 0, "", "", "", {{"Impeller", "GO-100"}, {"Shaft seal", "GO-200"}, {}}},
    {"Rooftop Unit 2", "RTU-2", "Roof", "Fall protection required", "Carrier 48TC", "CA-3318", 6, 3, 7, 14, 90, 1, "Refrigerant gauges", "", "Carrier manual", {{"Filter 16x20", "16202"}, {"Belt", "A-38"}, {}}},
    {"Saw Mill Band Saw", "BS-1", "Wood Shop", "Blade hazard", "Wood-Mizer LT", "WM-4410", 8, 28, 7, 14, 60, 1, "Blade setter", "Dust collector DC-1", "", {{"Band blade", "WM-158"}, {}, {}}},
    {"Table Saw", "TS-1", "Wood Shop", "Blade hazard", "SawStop PCS", "SS-22901", 8, 100, 14, 14, 180, 1, "", "", "", {{"Brake cartridge", "TSBC-10R3"}, {}, {}}},
    {"Water Softener", "WS-1", "Boiler House", "", "Culligan HE", "CU-4482", 7, 50, 14, 14, 90, 1, "Test kit", "", "", {{"Resin", "R-1"}, {}, {}}},
    {"Welder", "WD-2", "Fab Shop", "UV light; welding helmet", "Lincoln Power MIG 260", "LN-88301", 11, NoDate, 0, 0, 0, -1, "", "", "", {{"Contact tips", "KP2744-035"}, {}, {}}},
    {"Chiller CH-2", "CH-2", "Molding", "Refrigerant", "Thermal Care RQ", "TC-20993", 1, 9, 10, 21, 120, 0, "Refrigerant gauges", "Injection molder IM-4", "", {{"Condenser fan motor", "TC-FM1"}, {}, {}}},
    {"Labeler L-1", "L-1", "Packing Hall", "", "Weber 5300", "WB-3319", 10, 35, 7, 7, 90, 1, "", "", "", {{"Print head", "WB-PH53"}, {}, {}}},
    {"Fire Pump", "FP-1", "Pump House", "", "Aurora 481", "AU-7310", 9, -20, 7, 14, 30, 0, "Pitot gauge", "Jockey pump JP-1", "NFPA 25", {{"Packing", "AU-PK"}, {}, {}}},
};

QVariant dateIn(const QDate &today, int days)
{
    return days == NoDate ? QVariant() : QVariant(today.addDays(days).toString(Qt::ISODate));
}

QString text(const char *sample)
{
    return QString::fromUtf8(sample);
}

QStringList names(std::initializer_list<const char *> columns)
{
    QStringList list;
    for (const char *column : columns)
        list << QString::fromLatin1(column);
    return list;
}

// The sample rows go straight into the tables; the stores' rules (such as the empty text an
// editor stores for an empty box) do not apply to them.
class SampleRows
{
public:
    explicit SampleRows(Database &db)
        : m_company(db, SqlText::insertInto(QStringLiteral("orderinfo"), names({"company", "Street1", "Street2", "city", "State", "zip", "phone1", "phone2", "email", "website", "notes", "contact"})))
        , m_item(db, SqlText::insertInto(QStringLiteral("main"), names({"manuID", "Name", "Tag", "location", "hazmat", "part", "serial", "servicedate", "servicewarn", "DateServiced", "servicedby", "tools", "dateinstalled", "leadtime", "purchaseorder", "replacestock", "refmanuals", "Locked", "custom1", "custom2", "custom3", "serviceinterval", "ackorder", "ackservice", "ackorderinstock"})))
        , m_part(db, SqlText::insertInto(QStringLiteral("repparts"), names({"ID", "descr", "partnumber"})))
        , m_history(db, SqlText::insertInto(QStringLiteral("History"), names({"ID", "Date", "descr"})))
        , m_notes(db, SqlText::insertInto(QStringLiteral("Notes"), names({"ID", "Date", "descr"})))
    {
    }

    // Twelve values in the order of the company columns above.
    qint64 company(const QVariantList &values) { return add(m_company, values); }
    // Twenty-five values in the order of the item columns above.
    qint64 item(const QVariantList &values) { return add(m_item, values); }
    void part(qint64 item, const QVariant &descr, const QVariant &number) { add(m_part, {item, descr, number}); }
    void history(qint64 item, const QDate &day, const QString &descr) { add(m_history, {item, day.toString(Qt::ISODate), descr}); }
    void note(qint64 item, const QDate &day, const QString &descr) { add(m_notes, {item, day.toString(Qt::ISODate), descr}); }

private:
    static qint64 add(Statement &statement, const QVariantList &values)
    {
        statement.reset();
        statement.bindAll(values);
        return statement.insert();
    }

    Statement m_company, m_item, m_part, m_history, m_notes;
};

} // namespace

namespace SampleData {

void addDemo(Database &db, const QDate &today)
{
    Transaction transaction(db);
    SampleRows rows(db);
    QVector<qint64> vendorIds;
    for (const Vendor &v : Vendors) {
        vendorIds << rows.company({text(v.company), text(v.street1), text(v.street2), text(v.city), text(v.state),
                                   text(v.zip), text(v.phone1), text(v.phone2), text(v.email), text(v.website),
                                   text(v.notes), text(v.contact)});
    }

    const QStringList technicians = {QStringLiteral("J. Alvarez"), QStringLiteral("M. Okafor"),
                                     QStringLiteral("S. Lindqvist")};
    int n = 0;
    for (const ItemSample &item : Items) {
        const bool dated = item.dueInDays != NoDate;
        const QDate lastService = today.addDays(dated ? item.dueInDays - item.interval : -200);
        const QString technician = technicians.at(n % technicians.size());
        const QString po = QStringLiteral("PO-%1").arg(24100 + n * 7);
        const QDate installed = today.addYears(-(3 + n % 9)).addDays(-n * 11);
        const qint64 id = rows.item({vendorIds.at(item.vendor), text(item.name), text(item.tag), text(item.location),
                                     text(item.hazmat), text(item.part), text(item.serial),
                                     dateIn(today, item.dueInDays), item.warn,
                                     dated ? QVariant(lastService.toString(Qt::ISODate)) : QVariant(),
                                     dated ? technician : QString(), text(item.tools),
                                     installed.toString(Qt::ISODate), item.lead, dated ? po : QString(), item.stocked,
                                     text(item.manuals), text(item.locked), QString(), QString(), QString(),
                                     item.interval, 0, 0, 0});

        for (const PartSpec &part : item.parts) {
            if (part.descr)
                rows.part(id, text(part.descr), text(part.number));
        }
        rows.history(id, installed, QStringLiteral("A new %1 was added on %2").arg(text(item.name), DateText::format(installed)));
        if (dated) {
            rows.history(id, lastService.addDays(-item.lead),
                         QStringLiteral("Replacement part(s) ordered - purchase order #") + po);
            rows.history(id, lastService,
                         QStringLiteral("Serviced By %1 on %2").arg(technician, DateText::format(lastService)));
        }
        if (n % 3 == 0)
            rows.note(id, today.addDays(-30 - n),
                      QStringLiteral("Check the %1 for unusual noise at start-up.").arg(text(item.name).toLower()));
        if (n % 4 == 1)
            rows.note(id, today.addDays(-12 - n), QStringLiteral("Spare parts are kept in cabinet 4."));
        ++n;
    }
    transaction.commit();
}

void addBulk(Database &db, int items, int vendors, int partsPerItem, const QDate &today)
{
    Transaction transaction(db);
    SampleRows rows(db);
    QVector<qint64> vendorIds;
    for (int v = 0; v < vendors; ++v) {
        vendorIds << rows.company({QStringLiteral("Vendor %1 Supply").arg(v + 1, 3, 10, QLatin1Char('0')),
                                   QStringLiteral("%1 Main Street").arg(100 + v), QString(),
                                   QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62701"),
                                   QStringLiteral("(217)-555-%1").arg(1000 + v), QVariant(), QVariant(), QVariant(),
                                   QVariant(), QVariant()});
    }
    static const char *const kinds[] = {"Pump", "Motor", "Compressor", "Fan", "Conveyor", "Boiler", "Press", "Mixer"};
    for (int i = 0; i < items; ++i) {
        const QString name = QStringLiteral("%1 %2").arg(QLatin1String(kinds[i % 8])).arg(i + 1);
        const qint64 id = rows.item({vendorIds.at(i % vendorIds.size()), name, QStringLiteral("T-%1").arg(i + 1),
                                     QStringLiteral("Building %1").arg(i % 12 + 1), QStringLiteral("Gloves"),
                                     QStringLiteral("P%1").arg(i * 7), QStringLiteral("SN%1").arg(i * 13),
                                     today.addDays(i % 400 - 30).toString(Qt::ISODate), 7,
                                     today.addDays(i % 400 - 120).toString(Qt::ISODate),
                                     QStringLiteral("Technician %1").arg(i % 9), QStringLiteral("Wrench set\r\nMultimeter"),
                                     today.addYears(-5).toString(Qt::ISODate), 14, QStringLiteral("PO-%1").arg(i),
                                     i % 3 - 1, QStringLiteral("Manual %1").arg(i % 50),
                                     QStringLiteral("Panel %1").arg(i % 30), QString(), QString(), QString(), 90, 0, 0, 0});
        for (int p = 0; p < partsPerItem; ++p)
            rows.part(id, QStringLiteral("Part %1").arg(QChar(u'A' + p)), QStringLiteral("%1-%2").arg(id).arg(p));
    }
    transaction.commit();
}

} // namespace SampleData
