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

# apt-get without questions, its output and dpkg's appended to LOG.
apt_get() {
  local log=$1
  shift
  echo "+ apt-get $*" >>"$log"
  DEBIAN_FRONTEND=noninteractive apt-get -q -o Dpkg::Use-Pty=0 "$@" </dev/null >>"$log" 2>&1
}
