#include "core/Stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace bus {

std::int64_t TStream::Size() {
  const std::int64_t here = Position();
  const std::int64_t end = Seek(0, SeekOrigin::End);
  Seek(here, SeekOrigin::Begin);
  return end;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::int64_t left = count;
  std::uint8_t chunk[64 * 1024];
  while (left > 0) {
    const std::size_t n = std::size_t(std::min<std::int64_t>(left, sizeof chunk));
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    left -= std::int64_t(n);
  }
  return count;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  const std::int64_t size = std::int64_t(data_.size());
  if (position_ >= size || count == 0) return 0;
  const std::size_t n = std::size_t(std::min<std::int64_t>(std::int64_t(count), size - position_));
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += std::int64_t(n);
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  const std::size_t end = std::size_t(position_) + count;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ = std::int64_t(end);
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == SeekOrigin::Current) base = position_;
  if (origin == SeekOrigin::End) base = std::int64_t(data_.size());
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  data_.resize(std::size_t(std::max<std::int64_t>(0, size)));
  position_ = std::min(position_, std::int64_t(data_.size()));
}

void TMemoryStream::Clear() noexcept {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::filesystem::path& path) {
  TFileStream file(path, TFileStream::Mode::OpenRead);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::filesystem::path& path) const {
  TFileStream file(path, TFileStream::Mode::Create);
  file.WriteBuffer(data_.data(), data_.size());
}

void TMemoryStream::LoadFromStream(TStream& source) {
  const std::int64_t start = source.Position();
  const std::int64_t count = std::max<std::int64_t>(0, source.Size() - start);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  source.ReadBuffer(bytes.data(), bytes.size());
  data_ = std::move(bytes);
  position_ = 0;
}

namespace {

std::FILE* OpenFile(const std::filesystem::path& path, TFileStream::Mode mode) {
  const char* how = mode == TFileStream::Mode::OpenRead ? "rb" : mode == TFileStream::Mode::OpenReadWrite ? "r+b" : "w+b";
#ifdef _WIN32
  const std::wstring whow(how, how + std::strlen(how));
  return _wfopen(path.c_str(), whow.c_str());
#else
  return std::fopen(path.c_str(), how);
#endif
}

}  // namespace

TFileStream::TFileStream(const std::filesystem::path& path, Mode mode) : path_(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec) || (file_ = OpenFile(path, mode)) == nullptr) {
    const std::u8string name = path.u8string();
    throw EFOpenError("cannot open file " + std::string(name.begin(), name.end()));
  }
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) { return std::fread(buffer, 1, count, file_); }

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  return std::fwrite(buffer, 1, count, file_);
}

std::int64_t TFileStream::Seek(std::int64_t offset, SeekOrigin origin) {
#ifdef _WIN32
  const auto tell = [this] { return std::int64_t(_ftelli64(file_)); };
  const auto seekSet = [this](std::int64_t to) { _fseeki64(file_, to, SEEK_SET); };
  const auto seekEnd = [this] { _fseeki64(file_, 0, SEEK_END); };
#else
  const auto tell = [this] { return std::int64_t(ftello(file_)); };
  const auto seekSet = [this](std::int64_t to) { fseeko(file_, off_t(to), SEEK_SET); };
  const auto seekEnd = [this] { fseeko(file_, 0, SEEK_END); };
#endif
  std::int64_t base = 0;
  if (origin == SeekOrigin::Current) base = tell();
  if (origin == SeekOrigin::End) {
    seekEnd();
    base = tell();
  }
  seekSet(std::max<std::int64_t>(0, base + offset));
  return tell();
}

void TFileStream::SetSize(std::int64_t size) {
  std::fflush(file_);
  std::error_code ec;
  std::filesystem::resize_file(path_, std::uintmax_t(std::max<std::int64_t>(0, size)), ec);
  if (ec) throw EWriteError("cannot resize file: " + ec.message());
  if (Position() > size) Seek(size, SeekOrigin::Begin);
}

}  // namespace bus
