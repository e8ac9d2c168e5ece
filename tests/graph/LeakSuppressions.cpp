// Under LeakSanitizer: fontconfig keeps caches that it never frees once Qt has loaded fonts
// for drawing text; they are not leaks of this program.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
