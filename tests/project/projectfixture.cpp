#include "projectfixture.h"
#include "documentsetup.h"

#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "project/projectdump.h"

#include <QtTest>
#include <map>

namespace ProjectFixture {

QString gerberText(int variant)
{
    return QStringLiteral("G04 layer %1*\n%FSLAX24Y24*%\n%MOMM*%\n%ADD10C,0.15*%\n%ADD11R,1.2X0.6*%\n"
                          "%ADD12P,1.0X6X15*%\nD10*\nX0Y0D02*\nX%2Y0D01*\nX%2Y%2D01*\nD11*\nX5000Y5000D03*\n"
                          "D12*\nX7000Y2000D03*\nG36*\nX1000Y1000D02*\nX2000Y1000D01*\nX2000Y2000D01*\n"
                          "X1000Y1000D01*\nG37*\nM02*")
        .arg(variant)
        .arg(10000 + 1000 * variant);
}

QString drillText()
{
    return QStringLiteral(
        "M48\nMETRIC,LZ\nT1C0.8\nT2C1.0\n%\nT1\nX0100Y0200\nX0300Y0200\nT2\nX0500Y0500\nM30");
}

namespace {

std::unique_ptr<GerberLayer> gerberLayer(int index, int variant, const QString& name)
{
    auto layer = std::make_unique<GerberLayer>(index);
    layer->rawLines = gerberLinesFromBytes(gerberText(variant).toUtf8());
    layer->fileName = name;
    if (!parseGerber(*layer))
        qWarning("fixture Gerber text did not read");
    return layer;
}

PnPEntry* entry(const QString& ref, double x, double y, const QString& side, double rot, const QString& value)
{
    auto* e = new PnPEntry(ref, QStringLiteral("0603"), x, y, side, rot, value, ExecKind::Machine, QString());
    e->setRefDes(ref);
    e->setValue(value);
    return e;
}

} // namespace

void fill(Document& document, LayerSet& layers)
{
    QList<PnPEntry*> top { entry(QStringLiteral("R1"), 12.5, 7.25, QStringLiteral("top"), 90,
                               QStringLiteral("10k")),
        entry(QStringLiteral("C;2"), 1234.567891, -0.000125, QStringLiteral("top"), 359.5,
            QStringLiteral("100n")),
        entry(QStringLiteral("+L3"), 3, 4, QStringLiteral("top"), 0, QString::fromUtf8("4k7 \u03a9 \ufffd")),
        entry(QStringLiteral("U\\u{41}4"), 5, 6, QStringLiteral("top"), 45, QStringLiteral("tab\there")) };
    top.at(0)->setComment(QStringLiteral("hand fit, see note"));
    top.at(1)->setComment(QStringLiteral("two\nlines\r"));
    top.at(1)->setPlaced(true);
    top.at(1)->setMachine(2);
    top.at(1)->setLine(1);
    top.at(1)->setHead(3);
    top.at(1)->setSizeX(3.2);
    top.at(2)->setExec(ExecKind::Tht);
    setSidePlacements(document, true, top);
    setSidePlacements(document, false,
        { entry(QStringLiteral("Q1"), 20, 30, QStringLiteral("bottom"), 270, QStringLiteral("BC847")) });

    BoardSide records[2];
    for (const bool side : { true, false }) {
        BoardSide& rec = records[side ? 0 : 1];
        BoardInfo& b = rec.board;
        b.setName(side ? QStringLiteral("board.v2") : QStringLiteral("bottom;name"));
        b.setWidth(100.5);
        b.setHeight(side ? 50 : 60);
        b.setOriginX(3);
        b.setOriginY(7.125);
        b.setComment(QStringLiteral("rev B"));
        Fiducials& f = rec.fiducials;
        f.setBoard1X(1.5);
        f.setBoard2Y(98.25);
        f.setBoardExec(true);
        f.setBlock2X(4);
        f.setGeometryIndex(1);
        f.setReflectIndex(1);
        f.setGeometryX(1.25);
        rec.origins = Origins({ Origin { 0, 0, 1 }, Origin { 105.5, 0, 0 } });
        // columns, rows, board size, spacing, borders bottom, top, right, left
        rec.originGen = OriginGen { 2, side ? 3 : 1, 100.5, 0, 5, 0, 0, 0, 0, 2.5 };
        Drawing line;
        line.type = Drawing::Line;
        line.endX = 10;
        line.endY = 20.5;
        Drawing text;
        text.type = Drawing::Text;
        text.text = QStringLiteral("Rev;B +\nline 2");
        text.textSize = 12;
        text.color = QColor(1, 2, 3);
        rec.drawings = { line, text };
    }
    document.editSides(QStringLiteral("set up"),
        Change::Board | Change::Fiducials | Change::Origins | Change::OriginGen | Change::Drawings,
        [&](BoardSide& t, BoardSide& b) {
            records[0].placements = t.placements;
            records[1].placements = b.placements;
            t = records[0];
            b = records[1];
        });

    for (int slot = 0; slot < layerSlotCount - 1; ++slot)
        layers.replace(LayerList::Top, slot, gerberLayer(slot, slot, QStringLiteral("top%1.gbr").arg(slot)));
    layers.layer(LayerList::Top, 1)->quarterTurns = 1;
    layers.layer(LayerList::Top, 1)->quarterTurnParity = true;
    layers.layer(LayerList::Top, 2)->mirror1 = true;
    layers.layer(LayerList::Top, 2)->offsetX = -12.5;
    for (const LayerList list : { LayerList::Top, LayerList::Bottom }) {
        auto drill = std::make_unique<GerberLayer>(slotIndex(LayerSlot::Drill));
        drill->excellonLines = drillText().split(QLatin1Char('\n'));
        drill->fileName = QStringLiteral("board.drl");
        applyExcellonFormat(*drill, ExcellonFormat { true, 2, 3 });
        parseExcellon(*drill);
        layers.replace(list, slotIndex(LayerSlot::Drill), std::move(drill));
    }
    layers.replace(LayerList::GerberMode, 0, gerberLayer(0, 7, QStringLiteral("gm;first.gbr")));
    layers.replace(LayerList::GerberMode, 200, gerberLayer(200, 8, QStringLiteral("gm200.gbr")));

    FeederData feeders;
    feeders.machines.append(MachineFeeders { 1, 1,
        { FeederRecord { { "1", "10k", "0603", "17", "3", "8mm", "2", "1", "40", "0" } },
            FeederRecord { { "2", "100n", "0402", "", "4", "8mm", "1", "0", "12", "90" } } } });
    feeders.machines.append(MachineFeeders { 2, 1, { FeederRecord { { "1", "BC847", "SOT23" } } } });
    feeders.topSide.append(FeederRecord { { "7", "1u", "0805" } });
    document.setFeederData(feeders);
}

QByteArray referencePack(const QByteArray& text, const QByteArray& headerVersion)
{
    // Nodes carry the text of their symbols; a character's code is the path of "1" children
    // whose text contains it, as the old writers did.
    struct Node
    {
        QByteArray symbols;
        quint64 weight;
        int zero = -1;
        int one = -1;
    };
    std::map<uchar, quint64> counts;
    for (const char c : text)
        ++counts[uchar(c)];
    QList<Node> nodes;
    QList<int> order;
    for (const auto& c : counts) {
        nodes.append({ QByteArray(1, char(c.first)), c.second });
        order.append(nodes.size() - 1);
    }
    std::stable_sort(
        order.begin(), order.end(), [&](int a, int b) { return nodes[a].weight < nodes[b].weight; });
    while (order.size() > 1) {
        const int a = order.takeFirst();
        const int b = order.takeFirst();
        nodes.append({ nodes[a].symbols + nodes[b].symbols, nodes[a].weight + nodes[b].weight, a, b });
        int at = 0;
        while (at < order.size() && nodes[order[at]].weight <= nodes.last().weight)
            ++at;
        order.insert(at, nodes.size() - 1);
    }
    std::map<std::pair<quint32, int>, uchar> byValue;
    std::map<uchar, std::pair<quint32, int>> codes;
    for (const auto& c : counts) {
        int node = order.first();
        quint32 value = 0;
        int length = 0;
        while (nodes[node].zero >= 0) {
            const bool one = nodes[nodes[node].one].symbols.contains(char(c.first));
            value = (value << 1) | (one ? 1 : 0);
            node = one ? nodes[node].one : nodes[node].zero;
            ++length;
        }
        byValue[{ value, length }] = c.first;
        codes[c.first] = { value, length };
    }
    QByteArray out = "Tessavrant v" + headerVersion + "\n";
    for (const auto& v : byValue) {
        const QByteArray hex = QByteArray::number(v.first.first, 16);
        const int bytes = (hex.size() + 1) / 2;
        out.append(char(v.second)).append(char(v.first.second)).append(char(bytes));
        for (int i = 0; i < bytes; ++i)
            out.append(char((v.first.first >> (8 * i)) & 0xFF));
    }
    out.append(3, '\0');
    QString bits;
    for (const char c : text) {
        const auto& code = codes[uchar(c)];
        bits += QString::number(code.first, 2).rightJustified(code.second, QLatin1Char('0'));
    }
    for (int i = 0; i + 8 <= bits.size(); i += 8)
        out.append(char(bits.mid(i, 8).toUInt(nullptr, 2)));
    return out;
}

QString loadDump(const QByteArray& bytes, ProjectLoad* load)
{
    Document document;
    LayerSet layers;
    ProjectLoad result;
    QString error;
    if (!readProjectBytes(bytes, QStringLiteral("test.tvx"), document, layers, &result, &error))
        return QStringLiteral("FAILED: ") + error;
    if (load)
        *load = result;
    return dumpProject(document, layers, result.colours);
}

} // namespace ProjectFixture
