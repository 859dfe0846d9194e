# Sourced by the build scripts, which compile through ccache. Its cache stays where ccache keeps
# it (by default ~/.cache/ccache), so later builds on the machine reuse it. Paths are hashed
# relative to the checkout, so clones in other folders share the same entries.
CCACHE_BASEDIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR
export CCACHE_NOHASHDIR=1
