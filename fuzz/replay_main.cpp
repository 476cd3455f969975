// Replays inputs through a fuzz target without libFuzzer: every file named, and every file in
// every folder named, goes once through LLVMFuzzerTestOneInput. A crash fails the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool replayFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        struct stat info
        {
        };
        if (::stat(argv[i], &info) != 0)
            continue; // a target without regressions yet
        if (!S_ISDIR(info.st_mode)) {
            replayed += replayFile(argv[i]);
            continue;
        }
        if (DIR* dir = ::opendir(argv[i])) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string path = std::string(argv[i]) + "/" + entry->d_name;
                if (entry->d_name[0] != '.' && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                    replayed += replayFile(path);
            }
            ::closedir(dir);
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
