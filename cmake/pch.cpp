// The precompiled header's own target: nothing but the header.
