#!/bin/sh
# Runs a Windows program under Wine's loader in a UTF-8 locale. Wine makes
# the Linux names of the files a program creates in the locale's character
# set, so in the C or POSIX locale (a bare environment, a CI runner) a name
# beyond ASCII, Japanese or an emoji, cannot be created at all. A UTF-8
# locale of the caller is kept, since Wine takes the ANSI code page from it
# (932 for ja_JP.UTF-8, 1252 for en_US.UTF-8); otherwise LANG=C.UTF-8, which
# glibc always has, with LC_ALL and LC_CTYPE cleared so that LANG counts.
utf8() {
  case $1 in
    *.UTF-8 | *.utf8 | *.UTF8 | *.utf-8) return 0 ;;
    *) return 1 ;;
  esac
}
if ! utf8 "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}"; then
  utf8 "${LANG:-}" || LANG=C.UTF-8
  export LANG
  unset LC_ALL LC_CTYPE
fi
exec /usr/lib/wine/wine64 "$@"
