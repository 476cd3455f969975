#pragma once

#include <QString>

// Board data of one side: name, size, origin and comment. Placement coordinates are
// relative to the origin (absolute X = originX + x).
class BoardInfo
{
public:
    // The name an empty name is replaced by.
    static QString defaultName() { return QStringLiteral("unbenannt"); }

    const QString& name() const { return m_name; }
    // An empty name is stored as "unbenannt".
    void setName(const QString& v) { m_name = v.isEmpty() ? defaultName() : v; }
    double width() const { return m_width; }
    void setWidth(double v) { m_width = v; }
    double height() const { return m_height; }
    void setHeight(double v) { m_height = v; }
    double depth() const { return m_depth; }
    void setDepth(double v) { m_depth = v; }
    double originX() const { return m_originX; }
    void setOriginX(double v) { m_originX = v; }
    double originY() const { return m_originY; }
    void setOriginY(double v) { m_originY = v; }
    const QString& comment() const { return m_comment; }
    void setComment(const QString& v) { m_comment = v; }

    bool operator==(const BoardInfo& o) const
    {
        return m_name == o.m_name && m_width == o.m_width && m_height == o.m_height && m_depth == o.m_depth
            && m_originX == o.m_originX && m_originY == o.m_originY && m_comment == o.m_comment;
    }
    bool operator!=(const BoardInfo& o) const { return !(*this == o); }

private:
    QString m_name = defaultName();
    double m_width = 0.0;
    double m_height = 0.0;
    double m_depth = 0.0;
    double m_originX = 0.0;
    double m_originY = 0.0;
    QString m_comment;
};
