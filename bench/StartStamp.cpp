// A child that notes the moment it began running: CLOCK_REALTIME in
// microseconds, appended to the file it is given. Nothing else, so that its
// own start costs as little as a program's can.
#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (argc < 2) {
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "a");
    if (!file) {
        return 1;
    }
    std::fprintf(file, "%lld\n",
                 static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000);
    return std::fclose(file) == 0 ? 0 : 1;
}
