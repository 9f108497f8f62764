# Sourced by the scripts that fetch Debian source packages (windows-deps.sh,
# web-deps.sh). Defines private_apt, which runs apt-get with a private
# configuration in $work/apt: a source list with a deb-src line for each
# Debian archive the system's own sources use, and private lists and cache
# folders. The system's apt sources are only read, to find the archive, and
# its trusted keys verify the archive's signed index.

private_apt() {
  local apt=$work/apt
  if [ ! -f "$apt/apt.conf" ]; then
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
    apt-get indextargets --format 'deb-src $(REPO_URI) $(RELEASE) $(COMPONENT)' \
      'Target-Of: deb' 'Origin: Debian' | sort -u > "$apt/sources.list"
    if [ ! -s "$apt/sources.list" ]; then
      echo "$0: the system's apt sources name no Debian archive that apt has read;" \
        "run apt-get update first" >&2
      exit 1
    fi
    cat > "$apt/apt.conf" <<CONF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
// The files land in a folder of the build tree, which apt's own
// unprivileged download user may not be able to write.
APT::Sandbox::User "$(id -un)";
CONF
  fi
  APT_CONFIG="$apt/apt.conf" apt-get -q "$@"
}
