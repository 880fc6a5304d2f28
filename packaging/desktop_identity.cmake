# How the desktop knows the program, for packaging/ that installs it and tests/packaging that
# checks what was installed.

# The one name under which the desktop knows the program: menu entry, software-centre entry
# and icon all carry it.
set(LUMESCA_APP_ID org.lumesca.Lumesca)
# The icon theme's sizes at which the window icon is installed, in pixels.
set(LUMESCA_ICON_SIZES 32 48 64 128 256)
