#pragma once

#include <QString>

#include <atomic>

// Execute kind of a placement, held in PnPEntry::exec as a one-digit text.
// "0" not placed, "1" machine (SMD), "2" other (by hand), "3" THT.
namespace ExecKind {
inline const QString None = QStringLiteral("0");
inline const QString Machine = QStringLiteral("1");
inline const QString Hand = QStringLiteral("2");
inline const QString Tht = QStringLiteral("3");

// Counter bucket of an exec text: 0..3, or -1 for values the counters skip (4 and above).
// A text that does not convert (QString::toInt fails) counts as 0.
int counterIndex(const QString& exec);
// Context-menu text: "No Execute", "SMD", "Other", "THT"; empty for anything else.
QString menuText(const QString& exec);
// Information label text: "Not Placed:", "Machine:", "Other:", "THT:"; empty for anything else.
QString labelText(const QString& exec);
// CSV export category: "No Placement", "Machine", "Hand", "THT"; empty for anything else.
QString exportCategory(const QString& exec);
} // namespace ExecKind

// One placement of a pick-and-place list. Created with new and owned by the Document
// that holds it in one of its lists; never delete one yourself.
class PnPEntry
{
public:
    // Texts are cleaned with sanitiseText, side is stored lower case, a negative rotation is
    // wrapped into 0..360 (-90 is 270) and the rotation is then brought below 360.
    PnPEntry(const QString& refDes, const QString& name, double x, double y, const QString& side,
        double rotation, const QString& value, const QString& exec, const QString& comment, int head = 1);
    PnPEntry(const PnPEntry&) = default;
    PnPEntry& operator=(const PnPEntry&) = default;
    ~PnPEntry() { touch(); }

    // Grows with every entry made or deleted and every change of a position, RefDes, name or
    // value of any entry: caches over placements (the hover look-up) compare it to know when
    // to rebuild.
    static quint64 revision() { return s_revision.load(std::memory_order_relaxed); }

    // Replaces each of < > = " $ space - by an underscore.
    static QString sanitiseText(const QString& text);

    const QString& refDes() const { return m_refDes; }
    void setRefDes(const QString& v)
    {
        m_refDes = v;
        touch();
    }
    const QString& name() const { return m_name; }
    void setName(const QString& v)
    {
        m_name = v;
        touch();
    }
    double x() const { return m_x; }
    void setX(double v)
    {
        m_x = v;
        touch();
    }
    double y() const { return m_y; }
    void setY(double v)
    {
        m_y = v;
        touch();
    }
    // "top" or "bottom".
    const QString& side() const { return m_side; }
    void setSide(const QString& v) { m_side = v; }
    double rotation() const { return m_rotation; }
    // Brings values of 360 and more below 360 (negative values are kept as they are;
    // a non-finite value becomes 0).
    void setRotation(double v);
    const QString& value() const { return m_value; }
    void setValue(const QString& v)
    {
        m_value = v;
        touch();
    }
    // Execute kind text, see ExecKind.
    const QString& exec() const { return m_exec; }
    void setExec(const QString& v) { m_exec = v; }
    const QString& comment() const { return m_comment; }
    void setComment(const QString& v) { m_comment = v; }
    // 0 = not under the cursor, 1..3 hover tracking states of the main window timer.
    int hoverState() const { return m_hoverState; }
    void setHoverState(int v) { m_hoverState = v; }
    int head() const { return m_head; }
    void setHead(int v) { m_head = v; }
    // Machine number inside the line; 0 = not assigned.
    int machine() const { return m_machine; }
    void setMachine(int v) { m_machine = v; }
    // Production line number; 0 = not assigned.
    int line() const { return m_line; }
    void setLine(int v) { m_line = v; }
    double sizeX() const { return m_sizeX; }
    void setSizeX(double v) { m_sizeX = v; }
    double sizeY() const { return m_sizeY; }
    void setSizeY(double v) { m_sizeY = v; }
    bool selected() const { return m_selected; }
    void setSelected(bool v) { m_selected = v; }
    bool placed() const { return m_placed; }
    void setPlaced(bool v) { m_placed = v; }
    bool moving() const { return m_moving; }
    void setMoving(bool v) { m_moving = v; }
    bool onSelectedMachine() const { return m_onSelectedMachine; }
    void setOnSelectedMachine(bool v) { m_onSelectedMachine = v; }

    // Reduces an angle of 360 and more below 360 by steps of 360; huge values are reduced
    // with fmod so the loop cannot run away. Non-finite values give 0.
    static double reduceRotation(double r);
    // Wraps a negative angle into 0..360 (-90 becomes 270); other values pass unchanged.
    static double wrapNegativeRotation(double r);

private:
    static void touch() { s_revision.fetch_add(1, std::memory_order_relaxed); }
    inline static std::atomic<quint64> s_revision { 0 };

    QString m_refDes;
    QString m_name;
    double m_x;
    double m_y;
    QString m_side;
    double m_rotation;
    QString m_value;
    QString m_exec;
    QString m_comment;
    int m_hoverState = 0;
    int m_head = 1;
    int m_machine = 0;
    int m_line = 0;
    double m_sizeX = 1.6;
    double m_sizeY = 0.8;
    bool m_selected = false;
    bool m_placed = false;
    bool m_moving = false;
    bool m_onSelectedMachine = true;
};
