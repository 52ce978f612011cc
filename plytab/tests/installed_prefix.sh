# Sourced by the tests of the installed suite, with BUILD_DIR and COMMAND as
# their arguments: installs the build into a scratch prefix (removed at the
# end), puts its bin first on PATH, and counts faults with fault().
build=$1
name=$2
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAULT: install failed"; exit 1; }
export PATH=$prefix/bin:$PATH
