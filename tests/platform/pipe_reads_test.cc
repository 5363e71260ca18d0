// Reads of the real file service from FIFOs and pipes: a FIFO opens without a writer, is read
// as a file once written, and a read that waits gives up when an interrupt comes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "platform/files/file_system.h"
#include "platform/interrupts/interrupts.h"

namespace kinet::platform {
namespace {

std::string Fifo() {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kinet-fifo-" + std::to_string(::getpid())))
          .string();
  std::filesystem::remove(path);
  EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
  return path;
}

TEST(PipeReads, AFifoOpensAtOnceAndIsReadAsWritten) {
  const std::string path = Fifo();
  std::unique_ptr<File> fifo = SystemFileSystem().Open(path, OpenMode::kRead);
  ASSERT_TRUE(fifo);  // nobody writes yet
  EXPECT_EQ(fifo->Size(), -1);
  std::thread writer([&] {
    std::unique_ptr<File> out = SystemFileSystem().Open(path, OpenMode::kUpdate);
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->Write("line\n", 5));
  });
  std::string got(16, '\0');
  size_t n = 0;
  while (n < 5) {
    const size_t more = fifo->Read(got.data() + n, got.size() - n);
    if (more == 0) break;
    n += more;
  }
  writer.join();
  EXPECT_EQ(got.substr(0, n), "line\n");
  EXPECT_EQ(fifo->Read(got.data(), got.size()), 0u);  // the writer has gone: the end
  std::filesystem::remove(path);
}

TEST(PipeReads, AWaitingReadGivesUpWhenAnInterruptComes) {
  const std::string path = Fifo();
  std::unique_ptr<File> fifo = SystemFileSystem().Open(path, OpenMode::kRead);
  ASSERT_TRUE(fifo);
  char byte;
  CountInterrupt();  // already pending: the read does not wait at all
  EXPECT_EQ(fifo->Read(&byte, 1), 0u);
  EXPECT_EQ(TakeInterrupts(), 1);

  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::unique_ptr<File> borrowed = BorrowDescriptor(ends[0]);
  std::thread interrupter([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    CountInterrupt();
  });
  EXPECT_EQ(borrowed->Read(&byte, 1), 0u);  // waited until the interrupt
  interrupter.join();
  EXPECT_EQ(TakeInterrupts(), 1);
  EXPECT_FALSE(InterruptPending());
  close(ends[0]);
  close(ends[1]);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace kinet::platform
