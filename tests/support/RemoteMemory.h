#pragma once
// Memory lent inside another process, for messages whose parameters point to memory the window's
// own process must read or fill (tooltip records, a suggested window rectangle). Released when
// the scope ends.
#include <cstddef>
#include <stdexcept>

#include "platform/Win32.h"

namespace testsupport {

class RemoteBlock {
public:
    // `process` needs PROCESS_VM_OPERATION, PROCESS_VM_READ and PROCESS_VM_WRITE access.
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        if (!address_) throw std::runtime_error("VirtualAllocEx failed");
    }
    ~RemoteBlock() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(std::size_t offset, const void* data, std::size_t size) const {
        SIZE_T done = 0;
        if (!WriteProcessMemory(process_, at(offset), data, size, &done) || done != size)
            throw std::runtime_error("WriteProcessMemory failed");
    }
    void Read(std::size_t offset, void* data, std::size_t size) const {
        SIZE_T done = 0;
        if (!ReadProcessMemory(process_, at(offset), data, size, &done) || done != size)
            throw std::runtime_error("ReadProcessMemory failed");
    }

private:
    HANDLE process_;
    void* address_;
};

}  // namespace testsupport
