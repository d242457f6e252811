#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace vel::com {

// Owns a block from the COM task allocator, such as the arrays COM methods hand
// their callers in out-parameters (CAUUID::pElems), and frees it with CoTaskMemFree.
class TaskMemory {
public:
    TaskMemory() = default;
    explicit TaskMemory(void* block) : block_(block) {}
    TaskMemory(TaskMemory&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    TaskMemory& operator=(TaskMemory&& other) noexcept {
        if (this != &other) {
            CoTaskMemFree(block_);
            block_ = std::exchange(other.block_, nullptr);
        }
        return *this;
    }
    TaskMemory(const TaskMemory&) = delete;
    TaskMemory& operator=(const TaskMemory&) = delete;
    ~TaskMemory() { CoTaskMemFree(block_); }

    void* Get() const { return block_; }

private:
    void* block_ = nullptr;
};

}  // namespace vel::com
