# Sourced: the environment every Wine run of ours has. scripts/wine-prefix.sh
# and scripts/wine-run.sh source it, and tools/harness/wine.py reads what it
# sets, so the shell and Python runs cannot drift apart.

# Quiet, unless LISTING_WINEDEBUG asks for channels.
export WINEDEBUG=${LISTING_WINEDEBUG:--all}
# Otherwise Wine offers to download Mono and Gecko, and this machine has no
# internet to take them from.
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64
# Wine's Internet clients take a proxy from the environment; every request of
# ours goes to a loopback server and must go there directly. LANGUAGE would
# override the locale a run asks for.
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY all_proxy ALL_PROXY LANGUAGE
