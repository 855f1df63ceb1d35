#pragma once

#include <QtGlobal>
#include <span>
#include <vector>

// The latest pressure values in the order they arrived; at capacity the oldest gives way.
class RecordList {
public:
    static constexpr qsizetype kCapacity = 1'000'000;

    explicit RecordList(qsizetype capacity = kCapacity);

    void append(double value);
    qsizetype count() const { return qsizetype(m_values.size()); }

    // The values oldest first, as two runs: the older one, then the newer one (empty until the
    // list has wrapped). Spans, so that readers walk the list without copying it.
    struct Runs {
        std::span<const double> older;
        std::span<const double> newer;
    };
    Runs inOrder() const;

private:
    qsizetype m_capacity;
    std::vector<double> m_values; // grows as values come, never beyond the capacity
    std::size_t m_oldest = 0;     // where the oldest value sits once the list is full
};
