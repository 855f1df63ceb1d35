#include "records/record_list.h"

#include <algorithm>

RecordList::RecordList(qsizetype capacity)
    : m_capacity(std::max<qsizetype>(capacity, 1))
{
}

void RecordList::append(double value)
{
    const auto capacity = std::size_t(m_capacity);
    if (m_values.size() < capacity) {
        // Grow by doubling, but never reserve past the capacity.
        if (m_values.size() == m_values.capacity())
            m_values.reserve(std::min(capacity, std::max<std::size_t>(16, m_values.size() * 2)));
        m_values.push_back(value);
        return;
    }
    m_values[m_oldest] = value;
    m_oldest = (m_oldest + 1) % capacity;
}

RecordList::Runs RecordList::inOrder() const
{
    const std::span<const double> all(m_values);
    return {all.subspan(m_oldest), all.first(m_oldest)};
}
