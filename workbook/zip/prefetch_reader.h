// Reads ahead of its consumer on a thread of its own, so that inflating the next blocks of a
// large part overlaps parsing the one before.
//
// It holds at most a few blocks: it does not read the source whole.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "workbook/byte_reader.h"

namespace tabulor::zip {

class TPrefetchReader : public TByteReader {
public:
    explicit TPrefetchReader(std::unique_ptr<TByteReader> source);
    ~TPrefetchReader() override;
    TPrefetchReader(const TPrefetchReader&) = delete;
    TPrefetchReader& operator=(const TPrefetchReader&) = delete;

    // Throws what the source threw, once the bytes read before it are consumed.
    std::size_t Read(char* buffer, std::size_t size) override;

    static constexpr std::size_t BlockSize = std::size_t{1} << 20;
    static constexpr std::size_t MaxReadyBlocks = 4;

private:
    void Produce();
    std::exception_ptr FillBlock(std::string& block);

    std::unique_ptr<TByteReader> Source;
    std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<std::string> Ready;  // full blocks, the last one possibly shorter
    std::vector<std::string> Spare;
    std::string Current;  // the block being consumed
    std::size_t Consumed = 0;
    std::exception_ptr Failure;
    bool Ended = false;  // the source has nothing more, or failed
    bool Stopping = false;
    std::thread Producer;
};

}  // namespace tabulor::zip
