// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two socket helpers the protocol code needs: inet_addr() (dotted IPv4
// text to a 32-bit value in network order, INADDR_NONE when invalid) and
// ntohl(). Winsock on Windows, the POSIX headers elsewhere.
#ifdef _WIN32
#  include <winsock2.h>
#else
#  include <arpa/inet.h>
#  include <netinet/in.h>
#endif
