# Sourced by the scripts that install Debian packages: install_missing PACKAGE... installs those
# of the packages that are not installed yet (an "apt-get update" first only when the install
# cannot find them).
install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y $missing || { apt-get update && apt-get install -y $missing; }
  fi
}
