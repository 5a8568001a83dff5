// A bounded lock-free queue for one producer and one consumer, holding small
// plain values. Storage is allocated once, at construction.
#pragma once

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <vector>

namespace audio {

template <class T>
class SpscQueue {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    explicit SpscQueue(std::size_t capacity) : m_items(capacity + 1) {}

    std::size_t capacity() const { return m_items.size() - 1; }

    bool push(const T& item) {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        const std::size_t next = (tail + 1) % m_items.size();
        if (next == m_head.load(std::memory_order_acquire))
            return false;
        m_items[tail] = item;
        m_tail.store(next, std::memory_order_release);
        return true;
    }

    bool pop(T& item) {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire))
            return false;
        item = m_items[head];
        m_head.store((head + 1) % m_items.size(), std::memory_order_release);
        return true;
    }

private:
    std::vector<T> m_items;
    alignas(64) std::atomic<std::size_t> m_head{0};
    alignas(64) std::atomic<std::size_t> m_tail{0};
};

} // namespace audio
