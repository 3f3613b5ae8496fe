// The module resources (templates and bitmaps) live in the Qt resource
// system; this library only carries them into the program.
namespace resources {
int anchor = 0;
}
