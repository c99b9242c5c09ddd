#!/bin/sh
# Runs a test with the machine's font folders hidden behind empty ones, in a
# mount namespace of its own; skips (77) where no such namespace can be made.
unshare --mount --map-root-user true 2>/dev/null || exit 77
exec unshare --mount --map-root-user sh -c '
    for dir in /usr/share/fonts /usr/local/share/fonts "$HOME/.fonts" "$HOME/.local/share/fonts"; do
        if [ -d "$dir" ]; then mount -t tmpfs none "$dir" || exit 77; fi
    done
    [ -z "$(find /usr/share/fonts -type f | head -n 1)" ] || exit 1
    exec "$@"' sh "$@"
