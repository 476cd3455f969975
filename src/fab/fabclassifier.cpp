#include "fab/fabclassifier.h"

#include "gerber/excellonreader.h"
#include "gerber/layerset.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

QString fabSideText(FabSide side)
{
    switch (side) {
    case FabSide::Top:
    case FabSide::Both:
        return QStringLiteral("top");
    case FabSide::Bottom:
        return QStringLiteral("bottom");
    case FabSide::None:
        break;
    }
    return QStringLiteral("-");
}

QString fabSlotText(int slot)
{
    return slot >= 0 && slot < layerSlotCount ? QString::number(slot) : QStringLiteral("-");
}

namespace {

constexpr int signal = slotIndex(LayerSlot::Signal);
constexpr int mask = slotIndex(LayerSlot::Mask);
constexpr int paste = slotIndex(LayerSlot::Paste);
constexpr int assy = slotIndex(LayerSlot::Assy);
constexpr int silk = slotIndex(LayerSlot::Silk);
constexpr int outline = slotIndex(LayerSlot::BoardOutline);
constexpr int drill = slotIndex(LayerSlot::Drill);

struct NameRule
{
    const char* key; // lower case
    FabSide side;
    int slot;
    const char* convention;
};

// File extensions that name the layer.
const NameRule extensionRules[] = {
    { "gtl", FabSide::Top, signal, "Altium/Protel" },
    { "gbl", FabSide::Bottom, signal, "Altium/Protel" },
    { "gts", FabSide::Top, mask, "Altium/Protel" },
    { "gbs", FabSide::Bottom, mask, "Altium/Protel" },
    { "gtp", FabSide::Top, paste, "Altium/Protel" },
    { "gbp", FabSide::Bottom, paste, "Altium/Protel" },
    { "gto", FabSide::Top, silk, "Altium/Protel" },
    { "gbo", FabSide::Bottom, silk, "Altium/Protel" },
    { "gko", FabSide::Both, outline, "Altium/Protel" },
    { "gm1", FabSide::Both, outline, "Altium/Protel" },
    { "gml", FabSide::Both, outline, "Eagle/Seeed" },
    { "cmp", FabSide::Top, signal, "Eagle" },
    { "sol", FabSide::Bottom, signal, "Eagle" },
    { "stc", FabSide::Top, mask, "Eagle" },
    { "sts", FabSide::Bottom, mask, "Eagle" },
    { "crc", FabSide::Top, paste, "Eagle" },
    { "crs", FabSide::Bottom, paste, "Eagle" },
    { "plc", FabSide::Top, silk, "Eagle" },
    { "pls", FabSide::Bottom, silk, "Eagle" },
    { "dim", FabSide::Both, outline, "Eagle" },
    { "top", FabSide::Top, signal, "OrCAD/Allegro, Target" },
    { "bot", FabSide::Bottom, signal, "OrCAD/Allegro, Target" },
    { "smt", FabSide::Top, mask, "OrCAD/Allegro, PADS" },
    { "smb", FabSide::Bottom, mask, "OrCAD/Allegro, PADS" },
    { "spt", FabSide::Top, paste, "OrCAD/Allegro, PADS" },
    { "spb", FabSide::Bottom, paste, "OrCAD/Allegro, PADS" },
    { "sst", FabSide::Top, silk, "OrCAD/Allegro, PADS" },
    { "ssb", FabSide::Bottom, silk, "OrCAD/Allegro, PADS" },
    { "ast", FabSide::Top, assy, "OrCAD/Allegro" },
    { "asb", FabSide::Bottom, assy, "OrCAD/Allegro" },
    { "stoptop", FabSide::Top, mask, "Target" },
    { "stopbot", FabSide::Bottom, mask, "Target" },
    { "pastetop", FabSide::Top, paste, "Target" },
    { "pastebot", FabSide::Bottom, paste, "Target" },
    { "positop", FabSide::Top, silk, "Target" },
    { "posibot", FabSide::Bottom, silk, "Target" },
    { "outline", FabSide::Both, outline, "Target" },
    { "mil", FabSide::Both, outline, "milling layer" },
};

// KiCad layer names inside the file name ("board-F_Cu.gbr", "board-F.Cu.gbr").
const NameRule kicadRules[] = {
    { "f_cu", FabSide::Top, signal, "KiCad" },
    { "b_cu", FabSide::Bottom, signal, "KiCad" },
    { "f_mask", FabSide::Top, mask, "KiCad" },
    { "b_mask", FabSide::Bottom, mask, "KiCad" },
    { "f_paste", FabSide::Top, paste, "KiCad" },
    { "b_paste", FabSide::Bottom, paste, "KiCad" },
    { "f_silks", FabSide::Top, silk, "KiCad" },
    { "b_silks", FabSide::Bottom, silk, "KiCad" },
    { "f_silkscreen", FabSide::Top, silk, "KiCad" },
    { "b_silkscreen", FabSide::Bottom, silk, "KiCad" },
    { "f_fab", FabSide::Top, assy, "KiCad" },
    { "b_fab", FabSide::Bottom, assy, "KiCad" },
    { "edge_cuts", FabSide::Both, outline, "KiCad" },
};

// Extensions of drill files: a drill slot when the content is Excellon, else a drill drawing.
const char* const drillExtensions[]
    = { "drl", "drd", "xln", "exc", "tap", "ncd", "cnc", "nc", "drill", "txt" };

// Extensions of layers that have no slot here.
const NameRule noSlotExtensions[] = {
    { "gd1", FabSide::None, -1, "Altium/Protel drill drawing" },
    { "gg1", FabSide::None, -1, "Altium/Protel drill guide" },
    { "gpt", FabSide::None, -1, "Altium/Protel pad master" },
    { "gpb", FabSide::None, -1, "Altium/Protel pad master" },
    { "fab", FabSide::None, -1, "fabrication drawing" },
    { "gbrjob", FabSide::None, -1, "Gerber job file" },
};

QString reasonFor(const NameRule& rule, const QString& what)
{
    return QStringLiteral("%1 name %2").arg(QLatin1String(rule.convention), what);
}

void propose(FabFile& file, FabSide side, int slot, FabEvidence evidence, const QString& reason)
{
    file.side = side;
    file.slot = slot;
    file.evidence = evidence;
    file.reason = reason;
}

// The words of a file name: split at punctuation, digits-to-letters and lower-to-upper case.
QStringList nameWords(const QString& stem)
{
    QStringList words;
    QString word;
    auto flush = [&] {
        if (!word.isEmpty())
            words << word.toLower();
        word.clear();
    };
    for (int i = 0; i < stem.size(); ++i) {
        const QChar c = stem.at(i);
        if (!c.isLetterOrNumber()) {
            flush();
            continue;
        }
        if (!word.isEmpty() && c.isUpper() && word.back().isLower())
            flush();
        word += c;
    }
    flush();
    return words;
}

// Names made of plain words (gEDA "board.topsilk.gbr", DipTrace "board_TopMask.gbr", Eagle's CAM
// "soldermask_top.gbr", Siemens "SilkscreenTop.gdo", PADS "Top.pho").
bool fromWords(FabFile& file, const QString& stem, const QString& suffix)
{
    const QStringList words = nameWords(stem);
    const QSet<QString> w(words.begin(), words.end());
    auto any = [&](std::initializer_list<const char*> keys) {
        for (const char* k : keys)
            if (w.contains(QLatin1String(k)))
                return true;
        return false;
    };
    // Compound words of gEDA and DipTrace.
    struct Compound
    {
        const char* word;
        FabSide side;
        int slot;
    };
    static const Compound compounds[] = {
        { "topmask", FabSide::Top, mask },
        { "bottommask", FabSide::Bottom, mask },
        { "topsilk", FabSide::Top, silk },
        { "bottomsilk", FabSide::Bottom, silk },
        { "toppaste", FabSide::Top, paste },
        { "bottompaste", FabSide::Bottom, paste },
        { "componentmask", FabSide::Top, mask },
        { "componentsilk", FabSide::Top, silk },
        { "boardoutline", FabSide::Both, outline },
    };
    for (const Compound& c : compounds)
        if (w.contains(QLatin1String(c.word))) {
            propose(file, c.side, c.slot, FabEvidence::Name, QStringLiteral("name word \"%1\"").arg(c.word));
            return true;
        }
    if (any({ "drawing", "map", "guide", "drillmap", "fab" })) {
        file.reason = QStringLiteral("a drawing (name words), no layer slot");
        return false;
    }
    if (any({ "profile", "outline", "edge", "dimension", "contour" }) && !any({ "plated" })) {
        propose(file, FabSide::Both, outline, FabEvidence::Name, QStringLiteral("name words: board outline"));
        return true;
    }
    const bool drillWord = any({ "drill", "drills", "plated", "unplated", "pth", "npth", "thruhole" });
    if (drillWord)
        return false; // decided by content: drill data or a drill drawing

    FabSide side = FabSide::None;
    if (any({ "top", "front", "component" }))
        side = FabSide::Top;
    else if (any({ "bottom", "bot", "back" }))
        side = FabSide::Bottom;
    int slot = -1;
    if (any({ "soldermask", "mask", "stop", "smt", "smb" }))
        slot = mask;
    else if (any({ "solderpaste", "paste", "cream", "spt", "spb" }))
        slot = paste;
    else if (any({ "silkscreen", "silk", "silks", "legend", "overlay", "sst", "ssb" }))
        slot = silk;
    else if (any({ "assembly", "assy" }))
        slot = assy;
    else if (any({ "copper", "signal", "cu" }) || (side != FabSide::None && words.size() <= 3))
        slot = signal;
    // Numbered copper layers ("L01_Top", "L12_Bottom"): the outer ones carry a side word.
    static const QRegularExpression layerNumber(QStringLiteral("^l\\d{1,2}$"));
    if (slot < 0 && std::any_of(words.begin(), words.end(), [](const QString& x) {
            return layerNumber.match(x).hasMatch();
        }))
        slot = signal;
    // gEDA names the bottom side the solder side: "soldermask", "soldersilk" without a side word.
    if (side == FabSide::None && slot >= 0 && any({ "soldermask", "soldersilk" })) {
        propose(file, FabSide::Bottom, slot, FabEvidence::Name,
            QStringLiteral("gEDA name \"%1\" (solder side)")
                .arg(w.contains(QStringLiteral("soldermask")) ? QStringLiteral("soldermask")
                                                              : QStringLiteral("soldersilk")));
        return true;
    }
    // The PADS short names stand alone ("SMT.pho").
    if (side == FabSide::None && words.size() == 1) {
        const QString& only = words.first();
        const bool top
            = only == QLatin1String("smt") || only == QLatin1String("spt") || only == QLatin1String("sst");
        const bool bottom
            = only == QLatin1String("smb") || only == QLatin1String("spb") || only == QLatin1String("ssb");
        if (top || bottom) {
            propose(file, top ? FabSide::Top : FabSide::Bottom, slot, FabEvidence::Name,
                QStringLiteral("PADS name %1").arg(stem));
            return true;
        }
    }
    if (slot < 0 || side == FabSide::None) {
        if (any({ "inner", "group", "gnd", "pow", "power" }) || (slot == signal && side == FabSide::None))
            file.reason = QStringLiteral("an inner or unsided copper layer (name words), no layer slot");
        return false;
    }
    Q_UNUSED(suffix)
    propose(file, side, slot, FabEvidence::Name,
        QStringLiteral("name words: %1").arg(words.join(QLatin1Char(' '))));
    return true;
}

bool fromName(FabFile& file)
{
    const QFileInfo info(file.path);
    const QString name = info.fileName();
    const QString suffix = info.suffix().toLower();
    const QString lower = name.toLower();

    // KiCad: the layer name after the board name; "." and "_" both occur between its parts.
    const QString kicadName = QString(lower).replace(QLatin1Char('.'), QLatin1Char('_'));
    for (const NameRule& rule : kicadRules) {
        static const QRegularExpression boundary(QStringLiteral("[-_]"));
        const QString key = QLatin1String(rule.key);
        const int at = kicadName.indexOf(key);
        if (at < 0)
            continue;
        const int end = at + key.size();
        const bool startsWord = at == 0 || boundary.match(kicadName.mid(at - 1, 1)).hasMatch();
        const bool endsWord = end == kicadName.size() || kicadName.at(end) == QLatin1Char('_');
        if (startsWord && endsWord) {
            propose(file, rule.side, rule.slot, FabEvidence::Name, reasonFor(rule, name.mid(at, key.size())));
            return true;
        }
    }
    for (const NameRule& rule : extensionRules)
        if (suffix == QLatin1String(rule.key)) {
            propose(file, rule.side, rule.slot, FabEvidence::Name,
                reasonFor(rule, QLatin1Char('.') + info.suffix()));
            return true;
        }
    for (const NameRule& rule : noSlotExtensions)
        if (suffix == QLatin1String(rule.key)) {
            file.reason = QStringLiteral("%1 (.%2), no layer slot")
                              .arg(QLatin1String(rule.convention), info.suffix());
            return false;
        }
    static const QRegularExpression protelNumbered(QStringLiteral("^(g\\d+|gp\\d+|gm\\d+|gd\\d+|gg\\d+)$"));
    if (protelNumbered.match(suffix).hasMatch()) {
        file.reason = QStringLiteral("Altium/Protel name .%1: inner or mechanical layer, no layer slot")
                          .arg(info.suffix());
        return false;
    }
    const QString stem = suffix == QLatin1String("gbr") || suffix == QLatin1String("pho")
            || suffix == QLatin1String("gdo") || suffix == QLatin1String("grb")
            || suffix == QLatin1String("ger") || suffix == QLatin1String("art")
            || suffix == QLatin1String("gbx")
        ? info.completeBaseName()
        : name;
    return fromWords(file, stem, suffix);
}

// A drill file by name or content: the drill slot, through the board.
void asDrill(FabFile& file, FabEvidence evidence, const QString& reason)
{
    const QString lower = QFileInfo(file.path).fileName().toLower();
    file.nonPlated = lower.contains(QLatin1String("npth")) || lower.contains(QLatin1String("unplated"))
        || lower.contains(QLatin1String("nonplated")) || lower.contains(QLatin1String("non-plated"))
        || lower.contains(QLatin1String("non_plated"));
    propose(file, FabSide::Both, drill, evidence, reason);
}

bool isDrillExtension(const QString& suffix)
{
    for (const char* e : drillExtensions)
        if (suffix == QLatin1String(e))
            return true;
    return false;
}

// Centroid files: by name and by the column heads of their first lines.
bool centroidFormat(const QString& path, const QByteArray& head, PnPFormat* format, FabSide* side)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    *side = FabSide::None;
    if (suffix == QLatin1String("mnt") || suffix == QLatin1String("mnb")) {
        *format = PnPFormat::Eagle;
        *side = suffix == QLatin1String("mnt") ? FabSide::Top : FabSide::Bottom;
        return true;
    }
    const QString text = QString::fromLatin1(head.left(4096));
    if (text.contains(QLatin1String("PosX")) && text.contains(QLatin1String("Ref"))) {
        *format = PnPFormat::KiCad;
        return true;
    }
    static const QRegularExpression altium(QStringLiteral("Designator.*(Mid X|Center-X|Ref X|Ref-X)"));
    const QRegularExpressionMatch m = altium.match(text);
    if (m.hasMatch()) {
        *format = m.captured(0).contains(QLatin1Char(',')) ? PnPFormat::AltiumCsv : PnPFormat::Altium;
        return true;
    }
    return false;
}

bool looksLikeGerber(const QByteArray& head)
{
    return head.contains("%FS") || head.contains("%MO") || head.contains("%ADD") || head.contains("D02*")
        || head.contains("D01*") || head.contains("D03*");
}

// The words of the file name that name no layer, side or drill: the board's own name.
QString boardName(const QString& path)
{
    static const QSet<QString> layerWords { "top", "bottom", "bot", "front", "back", "component", "copper",
        "cu", "signal", "mask", "soldermask", "stop", "paste", "solderpaste", "cream", "silk", "silks",
        "silkscreen", "legend", "overlay", "assembly", "assy", "outline", "profile", "edge", "cuts",
        "boardoutline", "dimension", "contour", "drill", "drills", "plated", "unplated", "npth", "pth",
        "thruhole", "nonplated", "through", "f", "b", "topmask", "bottommask", "topsilk", "bottomsilk",
        "toppaste", "bottompaste", "fab", "inner", "l", "group", "ncdrill", "nc", "hole", "non", "solder",
        "thru", "board", "boardoutline" };
    QStringList kept;
    for (QString word : nameWords(QFileInfo(path).completeBaseName())) {
        while (!word.isEmpty() && word.back().isDigit())
            word.chop(1);
        // Single letters are parts of layer names ("SilkS", "F_Cu").
        if (word.size() > 1 && !layerWords.contains(word))
            kept << word;
    }
    return kept.join(QLatin1Char(' '));
}

QString evidenceFreeReason(FabContent content)
{
    switch (content) {
    case FabContent::Gerber:
        return QStringLiteral("Gerber file whose name and attributes do not say its layer");
    case FabContent::Centroid:
    case FabContent::Drill:
    case FabContent::Unknown:
        break;
    }
    return QStringLiteral("not a Gerber, drill or centroid file");
}

} // namespace

namespace FabClassifier {

bool fromFileFunction(const QString& function, FabFile& file)
{
    const QStringList f = function.split(QLatin1Char(','));
    const QString kind = f.value(0).trimmed();
    // The side is a field of its own: "Copper,L1,Top,Signal", "Legend,Top,1", "Paste,Bot".
    FabSide side = FabSide::None;
    for (int i = 1; i < f.size(); ++i) {
        const QString field = f.at(i).trimmed();
        if (field == QLatin1String("Top"))
            side = FabSide::Top;
        else if (field == QLatin1String("Bot"))
            side = FabSide::Bottom;
    }
    const QString reason = QStringLiteral("attribute FileFunction %1").arg(function);
    int slot = -1;
    FabSide proposed = side;
    if (kind == QLatin1String("Copper"))
        slot = side == FabSide::None ? -1 : signal;
    else if (kind == QLatin1String("Soldermask"))
        slot = mask;
    else if (kind == QLatin1String("Paste"))
        slot = paste;
    else if (kind == QLatin1String("Legend"))
        slot = silk;
    else if (kind == QLatin1String("AssemblyDrawing"))
        slot = assy;
    else if (kind == QLatin1String("Component")) {
        slot = assy;
        file.components = true;
    } else if (kind == QLatin1String("Profile")) {
        slot = outline;
        proposed = FabSide::Both;
    } else if (kind == QLatin1String("Plated") || kind == QLatin1String("NonPlated")) {
        slot = drill;
        proposed = FabSide::Both;
        file.nonPlated = kind == QLatin1String("NonPlated");
    }
    if (slot < 0 || proposed == FabSide::None) {
        file.side = FabSide::None;
        file.slot = -1;
        file.evidence = FabEvidence::Attribute;
        file.reason = reason + QStringLiteral(": no layer slot");
        return false;
    }
    propose(file, proposed, slot, FabEvidence::Attribute, reason);
    return true;
}

void classify(FabFile& file, const QByteArray& head)
{
    const QString suffix = QFileInfo(file.path).suffix().toLower();
    file.side = FabSide::None;
    file.slot = -1;
    file.evidence = FabEvidence::None;
    file.reason.clear();
    file.board = boardName(file.path);

    const bool excellon = looksLikeExcellon(head);
    PnPFormat format = PnPFormat::KiCad;
    FabSide centroidSide = FabSide::None;
    if (excellon)
        file.content = FabContent::Drill;
    else if (looksLikeGerber(head))
        file.content = FabContent::Gerber;
    else if (centroidFormat(file.path, head, &format, &centroidSide))
        file.content = FabContent::Centroid;
    else
        file.content = FabContent::Unknown;

    if (file.content == FabContent::Centroid) {
        file.hasCentroidFormat = true;
        file.centroidFormat = format;
        file.side = centroidSide;
        file.evidence = FabEvidence::Content;
        file.reason = QStringLiteral("centroid file");
        return;
    }
    if (file.content == FabContent::Unknown) {
        file.reason = evidenceFreeReason(file.content);
        return;
    }
    if (file.content == FabContent::Gerber && head.contains("%TO.C,"))
        file.components = true;

    static const QRegularExpression attribute(QStringLiteral("TF\\.FileFunction,([^*%\\r\\n]+)"));
    const QRegularExpressionMatch m = attribute.match(QString::fromLatin1(head));
    if (m.hasMatch()) {
        fromFileFunction(m.captured(1).trimmed(), file);
        return;
    }
    if (file.content == FabContent::Drill) {
        if (isDrillExtension(suffix))
            asDrill(file, FabEvidence::Name,
                QStringLiteral("drill file name .%1").arg(QFileInfo(file.path).suffix()));
        else
            asDrill(file, FabEvidence::Content, QStringLiteral("content: Excellon drill data"));
        return;
    }
    // A Gerber file.
    if (isDrillExtension(suffix)) {
        file.reason = QStringLiteral("Gerber file with a drill name: a drill drawing, no layer slot");
        return;
    }
    if (fromName(file))
        return;
    if (file.reason.isEmpty())
        file.reason = evidenceFreeReason(file.content);
}

} // namespace FabClassifier
