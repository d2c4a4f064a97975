// The far side of an FT232R, behind a USB gadget's FunctionFS function: answers
// the vendor requests that libftdi sends and records them, and every packet that
// arrives on the bulk OUT endpoint, as one word a line in the record file:
// "bitmode:01FF" for a request (its name, then wValue), "51" for a packet of one
// byte. It runs until killed; the gadget can be unbound and bound again meanwhile.
//   ftdi_recorder FUNCTIONFS_MOUNT RECORD_FILE
#include <endian.h>
#include <fcntl.h>
#include <linux/usb/ch9.h>
#include <linux/usb/functionfs.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int record;

static void Record(const char* word) {
    char line[160];
    const int length = snprintf(line, sizeof line, "%s\n", word);
    if (write(record, line, (size_t)length) != length)
        perror("ftdi_recorder: record");
}

static void Fail(const char* what) {
    perror(what);
    exit(1);
}

// The FT232R's one interface: vendor class, bulk IN then bulk OUT, at full speed.
// The UDC hands out endpoints in this order, which gives 0x81 and 0x02 as on the
// chip, the addresses libftdi uses without reading the descriptors.
#if __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the descriptors below are written in the host's byte order, which USB's must be"
#endif
static const struct {
    struct usb_functionfs_descs_head_v2 head;
    __le32 fs_count;
    struct usb_interface_descriptor interface;
    struct usb_endpoint_descriptor_no_audio in, out;
} __attribute__((packed)) descriptors = {
    {FUNCTIONFS_DESCRIPTORS_MAGIC_V2, sizeof descriptors,
     FUNCTIONFS_HAS_FS_DESC | FUNCTIONFS_ALL_CTRL_RECIP},
    3,
    {USB_DT_INTERFACE_SIZE, USB_DT_INTERFACE, 0, 0, 2, USB_CLASS_VENDOR_SPEC, 0xFF, 0xFF, 0},
    {USB_DT_ENDPOINT_SIZE, USB_DT_ENDPOINT, 1 | USB_DIR_IN, USB_ENDPOINT_XFER_BULK, 64, 0},
    {USB_DT_ENDPOINT_SIZE, USB_DT_ENDPOINT, 2 | USB_DIR_OUT, USB_ENDPOINT_XFER_BULK, 64, 0},
};
static const struct usb_functionfs_strings_head strings = {
    FUNCTIONFS_STRINGS_MAGIC, sizeof strings, 0, 0};

// The requests of FTDI's SIO protocol by number, as libftdi names them.
static const char* RequestName(unsigned request) {
    static const char* const names[] = {"reset", "modem", "flow", "baud", "data", "status",
                                        "event", "error", "", "latency", "getlatency",
                                        "bitmode", "pins"};
    return request < sizeof names / sizeof *names && *names[request] ? names[request] : "request";
}

// Each read of the OUT endpoint takes one packet. Between unbind and bind it
// fails; the next read waits for the endpoint to come back.
static void* RecordPackets(void* path) {
    const int out = open(path, O_RDONLY);
    if (out < 0)
        Fail("ftdi_recorder: bulk OUT");
    for (;;) {
        unsigned char packet[64];
        const ssize_t length = read(out, packet, sizeof packet);
        if (length <= 0) {
            usleep(100000);
            continue;
        }
        char word[2 * sizeof packet + 1];
        for (ssize_t i = 0; i < length; ++i)
            sprintf(word + 2 * i, "%02X", packet[i]);
        Record(word);
    }
    return NULL;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: ftdi_recorder FUNCTIONFS_MOUNT RECORD_FILE\n");
        return 2;
    }
    char path[4096];
    snprintf(path, sizeof path, "%s/ep0", argv[1]);
    const int ep0 = open(path, O_RDWR);
    record = open(argv[2], O_WRONLY | O_CREAT | O_APPEND | O_TRUNC, 0644);
    if (ep0 < 0 || record < 0)
        Fail("ftdi_recorder: open");
    if (write(ep0, &descriptors, sizeof descriptors) < 0 || write(ep0, &strings, sizeof strings) < 0)
        Fail("ftdi_recorder: descriptors");
    // The endpoint files exist once the descriptors are accepted.
    static char out_path[4096];
    snprintf(out_path, sizeof out_path, "%s/ep2", argv[1]);
    pthread_t packets;
    if (pthread_create(&packets, NULL, RecordPackets, out_path) != 0)
        Fail("ftdi_recorder: thread");

    for (;;) {
        struct usb_functionfs_event event;
        if (read(ep0, &event, sizeof event) != sizeof event)
            Fail("ftdi_recorder: ep0 event");
        if (event.type != FUNCTIONFS_SETUP)
            continue;
        const struct usb_ctrlrequest* setup = &event.u.setup;
        char word[64];
        snprintf(word, sizeof word, "%s:%04X", RequestName(setup->bRequest), le16toh(setup->wValue));
        Record(word);
        // Reading answers an OUT request (its data, if any, then the status stage);
        // an IN request (modem status, latency, pins) is answered with zeros.
        unsigned char data[256] = {0};
        size_t length = le16toh(setup->wLength);
        if (length > sizeof data)
            length = sizeof data;
        if (setup->bRequestType & USB_DIR_IN ? write(ep0, data, length) < 0 : read(ep0, data, length) < 0)
            perror("ftdi_recorder: control transfer");
    }
}
