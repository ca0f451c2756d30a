// Weight function of the two-pass scaler: its reach (width) and its value at a distance.
#pragma once

class PLContribDef {
public:
    explicit PLContribDef(double width) : m_Width(width) {}
    virtual ~PLContribDef() = default;
    virtual double Filter(double x) const = 0;
    double GetWidth() const { return m_Width; }

protected:
    double m_Width;
};
