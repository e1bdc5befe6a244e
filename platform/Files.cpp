#include "Files.h"

#include "Exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string SystemError(const std::string& what, const std::string& fileName)
{
    return what + " " + fileName + ": " + std::strerror(errno);
}
}  // namespace

TReadFile::TReadFile(const std::string& fileName, bool lockAgainstWriters) : FName(fileName)
{
    FFd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    // A folder opens on Linux but cannot be read as a file.
    if (FFd >= 0 && (::fstat(FFd, &st) != 0 || S_ISDIR(st.st_mode))) {
        ::close(FFd);
        FFd = -1;
    }
    if (FFd < 0) throw EFOpenError(fileName);
    if (lockAgainstWriters) ::flock(FFd, LOCK_SH | LOCK_NB);  // best effort
}

TReadFile::~TReadFile()
{
    if (FFd >= 0) ::close(FFd);
}

std::int64_t TReadFile::Size() const
{
    struct stat st {};
    if (::fstat(FFd, &st) != 0) throw EInOutError(SystemError("読み込みエラー", FName));
    return static_cast<std::int64_t>(st.st_size);
}

std::size_t TReadFile::Read(void* buffer, std::size_t count)
{
    auto* p = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(FFd, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(SystemError("読み込みエラー", FName));
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void TReadFile::ReadExactly(void* buffer, std::size_t count)
{
    if (Read(buffer, count) != count)
        throw EInOutError("読み込みエラー " + FName + ": ファイルが途中で終わっています");
}

void WriteFileAtomically(const std::string& fileName, const void* data, std::size_t size)
{
    // A link is followed, so the file it names is replaced and the link stays.
    std::string target = fileName;
    if (char* real = ::realpath(fileName.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) throw EFCreateError(fileName);
    std::string tmp = target + ".XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) throw EFCreateError(fileName);
    // mkostemp makes 0600: keep the replaced file's mode, or a new file's.
    mode_t mode = st.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    // Any failure from here on: the temporary file goes, the old file stays.
    bool open = true;
    auto fail = [&] {
        const std::string message = SystemError("書き込みエラー", fileName);
        if (open) ::close(fd);
        ::unlink(tmp.c_str());
        throw EInOutError(message);
    };
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, p + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail();
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) fail();
    open = false;
    if (::close(fd) != 0) fail();
    if (::rename(tmp.c_str(), target.c_str()) != 0) fail();
}
