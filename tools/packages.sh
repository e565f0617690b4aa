# The Debian packages the project's scripts need, and getting them with
# apt-get. Sourced (bash) by tools/draw_example.sh, tools/windows_package.sh
# and tests/run_all.sh.

# Building the programs (expat: the importer's XML parser on Linux).
BUILD_PACKAGES="cmake make g++ libexpat1-dev"
# Cross-building them for Windows (binutils and the C compiler come along).
WINDOWS_BUILD_PACKAGES="cmake make g++-mingw-w64-x86-64-posix"

# The packages of the list that are not installed, one line.
missing_packages() {
  local package missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q ' installed$' || missing+=("$package")
  done
  echo "${missing[*]}"
}

# The line that installs the given packages, to copy.
install_line() {
  echo "apt-get install -y --no-install-recommends $*"
}

# need_packages LOG PACKAGE...: as root, installs those of the packages that
# are missing, apt-get's and dpkg's output going to LOG; as another user,
# says which are missing and how to install them (the apt-get line, unless
# INSTALL_LINE_SHOWN says the caller printed one), and fails. Reports on
# standard output only what is missing and what it does about it.
need_packages() {
  local log=$1 missing
  shift
  command -v dpkg-query >/dev/null || {
    echo "no dpkg-query: not a Debian system; make sure these are installed: $*"
    return 0
  }
  missing=$(missing_packages "$@")
  [[ -z $missing ]] && return 0
  echo "missing Debian packages: $missing"
  if [[ $(id -u) -ne 0 ]]; then
    if [[ -n ${INSTALL_LINE_SHOWN:-} ]]; then
      echo "install them as root (or with sudo) with the line above, then run this again"
    else
      echo "install them as root (or with sudo), then run this again:"
      echo "  $(install_line $missing)"
    fi
    return 1
  fi
  mkdir -p "$(dirname "$log")"
  echo "installing them with apt-get (its output in $log)"
  local began=$SECONDS
  # Update the package lists first when apt knows none of these packages
  # (a fresh machine); otherwise only if installing fails.
  local updated=
  if ! apt-cache show $missing >/dev/null 2>&1; then
    apt_get "$log" update || return 1
    updated=1
  fi
  if ! apt_get "$log" install -y --no-install-recommends $missing; then
    [[ -n $updated ]] && { echo "apt-get install failed; see $log"; return 1; }
    apt_get "$log" update && apt_get "$log" install -y --no-install-recommends $missing ||
      { echo "apt-get install failed; see $log"; return 1; }
  fi
  missing=$(missing_packages "$@")
  [[ -z $missing ]] || { echo "still missing after apt-get: $missing; see $log"; return 1; }
  echo "installed in $((SECONDS - began)) s"
}

# The locales the tests run the programs in: under Wine they set the ANSI code
# page (932 for ja_JP.UTF-8, 1252 for en_US.UTF-8), and the terminal tests
# need a UTF-8 locale. Debian's locales package generates them.
TEST_LOCALES="ja_JP.UTF-8 en_US.UTF-8"

# The locales of the list that this machine lacks (locale -a spells
# ja_JP.UTF-8 as ja_JP.utf8), one line.
missing_locales() {
  local name have missing=()
  have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
  for name in "$@"; do
    grep -qx "$(echo "${name%.*}.utf8" | tr '[:upper:]' '[:lower:]')" <<<"$have" || missing+=("$name")
  done
  echo "${missing[*]}"
}

# need_locales LOG LOCALE...: as root, generates those of the locales that are
# missing (locale-gen, its output going to LOG); as another user, names them
# and fails.
need_locales() {
  local log=$1 missing name
  shift
  missing=$(missing_locales "$@")
  [[ -z $missing ]] && return 0
  echo "missing locales: $missing"
  if [[ $(id -u) -ne 0 || ! -f /etc/locale.gen ]]; then
    echo "generate them as root: add them to /etc/locale.gen (e.g. 'ja_JP.UTF-8 UTF-8') and run locale-gen"
    return 1
  fi
  mkdir -p "$(dirname "$log")"
  for name in $missing; do
    grep -q "^$name UTF-8" /etc/locale.gen ||
      sed -i "s/^# *$name UTF-8/$name UTF-8/" /etc/locale.gen
    grep -q "^$name UTF-8" /etc/locale.gen || echo "$name UTF-8" >>/etc/locale.gen
  done
  echo "generating them with locale-gen (its output in $log)"
  locale-gen >>"$log" 2>&1 || { echo "locale-gen failed; see $log"; return 1; }
  missing=$(missing_locales "$@")
  [[ -z $missing ]] || { echo "still missing after locale-gen: $missing; see $log"; return 1; }
}

# apt-get without questions, its output and dpkg's appended to LOG.
apt_get() {
  local log=$1
  shift
  echo "+ apt-get $*" >>"$log"
  DEBIAN_FRONTEND=noninteractive apt-get -q -o Dpkg::Use-Pty=0 "$@" </dev/null >>"$log" 2>&1
}
