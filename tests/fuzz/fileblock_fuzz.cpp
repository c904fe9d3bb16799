// Opens a fileblock from fuzzed data and index files and walks every key, then changes a
// record and checks the files. Nothing in the files may crash, hang or read out of
// bounds; damage must end in an error or a repair.
//
// Input: byte 0 chooses options, bytes 1-2 (little-endian) the length of the data file;
// the data file follows, the rest is the index file.

#include <cstdint>
#include <cstring>
#include <string>

#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/format.h"
#include "recordfile/integrity_check.h"
#include "recordfile/memory_file_io.h"

namespace {

using namespace tarvik;

struct Definition {
  int recLen = 64;
  int numKeys = 1;
  int keyLen[format::kMaxKeys + 1] = {};
  bool dups[format::kMaxKeys + 1] = {};
};

/// Definitions that match the files where they can be read, so that most inputs are
/// opened as they are instead of being repaired at once.
Definition FromFiles(const std::string& dat, const std::string& ix, std::uint8_t options) {
  Definition d;
  if (dat.size() >= 21) {
    const std::int32_t recLen = format::LoadI32(dat.data() + 12);
    if (recLen >= 22 && recLen <= 512) d.recLen = recLen;
    d.numKeys = static_cast<unsigned char>(dat[16]) % 9;
  }
  std::size_t offset = 0;
  for (int k = 1; k <= d.numKeys; ++k) {
    d.keyLen[k] = 1 + (k * 7 + options) % 50;
    d.dups[k] = (options >> (k % 8)) & 1;
    if (offset + 28 <= ix.size()) {
      const std::int32_t pageBytes = format::LoadI32(ix.data() + offset + 12);
      const int stored = format::LoadU16(ix.data() + offset + 26);
      const int ipp = stored == 0 ? 62 : stored;
      if (pageBytes > 6 && ipp >= 4 && ipp <= 62 && (pageBytes - 6) % ipp == 0) {
        const int keyLen = (pageBytes - 6) / ipp - 9;
        if (keyLen >= 1 && keyLen <= 50) d.keyLen[k] = keyLen;
      }
      d.dups[k] = ix[offset + 20] != 0;
      offset += static_cast<std::size_t>(pageBytes > 0 ? pageBytes : 0);
    }
  }
  return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t options = data[0];
  const std::size_t datLen = std::min<std::size_t>(format::LoadU16(data + 1), size - 3);
  const std::string dat(reinterpret_cast<const char*>(data) + 3, datLen);
  const std::string ix(reinterpret_cast<const char*>(data) + 3 + datLen, size - 3 - datLen);

  MemoryFileIo io;
  io.SetFile("/fuzz/FB.DAT", dat);
  if (!(options & 0x80)) io.SetFile("/fuzz/FB.IX", ix);
  RecordFileErrors().SetWaitFunction([](int) {});
  RecordFileErrors().SetQuestion(nullptr);
  if (InitEngine(8, 32, &io) != 0) return 0;

  const Definition d = FromFiles(dat, ix, options);
  FileblockParams params;
  params.name = "FB";
  params.fileName = "/fuzz/FB";
  params.recordLength = d.recLen;
  params.numKeys = d.numKeys;
  params.variable = (options & 0x40) != 0;
  params.bufferSize = params.variable ? 3 * d.recLen : d.recLen;
  params.keyBuilder = [&d](const char* rec, int key) {
    const int len = static_cast<unsigned char>(rec[key % d.recLen]) % (d.keyLen[key] + 1);
    return std::string(rec + 4, static_cast<std::size_t>(std::min(len, d.recLen - 4)));
  };
  Fileblock* fb = CreateFileblock(params);
  // The target looks for crashes and undefined behaviour: what each operation returns does
  // not matter here, so the results below are dropped on purpose.
  for (int k = 1; k <= d.numKeys; ++k) (void)fb->DefineKey(k, d.keyLen[k], d.dups[k]);

  const int limit = 4096;
  for (int k = 1; k <= d.numKeys; ++k) {
    int steps = 0;
    for (int s = fb->FirstKey(k); s == 0 && steps < limit; s = fb->NextKey(k)) ++steps;
    steps = 0;
    std::int32_t rec = 0;
    std::string key;
    for (int s = fb->FindEntry(k, 0, 1, "", &rec, &key); s == 0 && steps < limit;
         s = fb->NextEntry(k, &rec, &key)) {
      ++steps;
    }
    steps = 0;
    for (int s = fb->LastKey(k); s == 0 && steps < limit; s = fb->PrevKey(k)) ++steps;
    std::int32_t pos = 0;
    (void)fb->KeyToRelPos(k, "M", 1, 100, &pos);
    (void)fb->RelPosToKey(k, 50, 100, &rec, &key);
  }
  std::memset(fb->RecordBuffer(), 0, static_cast<std::size_t>(fb->BufferSize()));
  std::memcpy(fb->RecordBuffer() + 4, data, std::min<std::size_t>(size, static_cast<std::size_t>(d.recLen - 4)));
  if (fb->Add() == 0) {
    (void)fb->Delete(kDeleteThenNext);
  }
  if (fb->ReadRecord(1) == 0) {
    fb->RecordBuffer()[5] ^= 1;
    (void)fb->Update();
  }
  (void)fb->Close();
  (void)CheckFileblockFiles(io, "/fuzz/FB");
  (void)DestroyFileblock(fb);
  (void)ExitEngine();
  return 0;
}
