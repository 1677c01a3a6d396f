// Byte streams: the codec reads and writes them, the skin archive and descriptor are read from
// them, and binary properties of form descriptions travel in them.
//
// A stream has a size and a position; Read and Write move the position by what they transferred
// and never throw; ReadBuffer and WriteBuffer transfer all or throw. Positions are 64-bit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Exception.h"

namespace bus {

class EStreamError : public Exception {
public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

enum class SeekOrigin { Begin, Current, End };

class TStream {
public:
  virtual ~TStream() = default;

  // Reads at most count bytes into buffer; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Moves the position; returns the new one. A position before the start is clamped to 0.
  virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
  // Changes the size; the position is clamped to the new size.
  virtual void SetSize(std::int64_t size) = 0;

  std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::Begin); }
  std::int64_t Size();

  // Reads exactly count bytes or throws EReadError (the position then stands after what was read).
  void ReadBuffer(void* buffer, std::size_t count);
  // Writes exactly count bytes or throws EWriteError.
  void WriteBuffer(const void* buffer, std::size_t count);
  // Copies count bytes from source's position, or with count 0 the whole of source from its start.
  // Returns the bytes copied; throws EReadError when source holds fewer.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream in memory.
class TMemoryStream : public TStream {
public:
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

  // The bytes, Size() of them; valid until the next change of size.
  std::uint8_t* Memory() noexcept { return data_.data(); }
  const std::uint8_t* Memory() const noexcept { return data_.data(); }
  // Empties the stream.
  void Clear() noexcept;
  // Replaces the contents with the whole file (position 0); throws EFOpenError or EReadError.
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;
  // Replaces the contents with source from its position to its end (position 0 afterwards).
  void LoadFromStream(TStream& source);

private:
  std::vector<std::uint8_t> data_;  // the bytes; data_.size() is the stream size
  std::int64_t position_ = 0;       // may stand past the end after a Seek; Write fills the gap with 0
};

// A stream over a file.
class TFileStream : public TStream {
public:
  enum class Mode { OpenRead, OpenReadWrite, Create };
  // Opens (or with Create, creates or truncates) the file; throws EFOpenError.
  TFileStream(const std::filesystem::path& path, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

private:
  std::FILE* file_ = nullptr;     // open file, owned
  std::filesystem::path path_;   // for SetSize
};

}  // namespace bus
