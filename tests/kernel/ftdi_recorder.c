// The far side of an FT232R, behind a USB gadget's FunctionFS function: answers
// the vendor requests that libftdi sends and records, one word a line, each
// request as REQUEST:VALUE ("0B:01FF", both in hex) and each packet that arrives
// on the bulk OUT endpoint as its bytes ("51"). A request whose number is in the
// file RECORD_FILE.stall is refused, as by a chip without it. It runs until
// killed; the gadget may be unbound and bound again meanwhile.
//   ftdi_recorder FUNCTIONFS_MOUNT RECORD_FILE
#include <fcntl.h>
#include <linux/usb/ch9.h>
#include <linux/usb/functionfs.h>
#include <pthread.h>
#include <stdio.h>
#include <unistd.h>

_Static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
               "the descriptors are in the host's byte order");

// The FT232R's one interface: vendor class, bulk IN then bulk OUT, at full speed.
// The UDC hands out endpoints in this order, which gives 0x81 and 0x02 as on the
// chip, the addresses libftdi uses without reading the descriptors.
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
static const struct usb_functionfs_strings_head strings = {FUNCTIONFS_STRINGS_MAGIC, sizeof strings,
                                                           0, 0};
static FILE* record;
static char out_path[4096], stall_path[4096];

static int Stalled(unsigned request) {
    FILE* file = fopen(stall_path, "r");
    unsigned stalled = 0x100; // none
    if (file && fscanf(file, "%x", &stalled) != 1)
        stalled = 0x100;
    if (file)
        fclose(file);
    return stalled == request;
}

// Each read takes one packet. Between unbind and bind the reads fail.
static void* RecordPackets(void* unused) {
    const int out = open(out_path, O_RDONLY);
    for (unsigned char packet[64]; out >= 0;) {
        const ssize_t length = read(out, packet, sizeof packet);
        char word[2 * sizeof packet + 1] = "";
        for (ssize_t i = 0; i < length; ++i)
            sprintf(word + 2 * i, "%02X", packet[i]);
        if (length > 0)
            fprintf(record, "%s\n", word); // one call: the line is not split by a request's
        else
            usleep(100000);
    }
    perror(out_path);
    return unused;
}

int main(int argc, char** argv) {
    if (argc != 3 || !(record = fopen(argv[2], "a"))) {
        fprintf(stderr, "usage: ftdi_recorder FUNCTIONFS_MOUNT RECORD_FILE\n");
        return 2;
    }
    setvbuf(record, NULL, _IOLBF, 0);
    char ep0_path[4096];
    snprintf(ep0_path, sizeof ep0_path, "%s/ep0", argv[1]);
    // The endpoints' files exist once the descriptors are written.
    snprintf(out_path, sizeof out_path, "%s/ep2", argv[1]);
    snprintf(stall_path, sizeof stall_path, "%s.stall", argv[2]);
    const int ep0 = open(ep0_path, O_RDWR);
    pthread_t packets;
    if (ep0 < 0 || write(ep0, &descriptors, sizeof descriptors) < 0 ||
        write(ep0, &strings, sizeof strings) < 0 ||
        pthread_create(&packets, NULL, RecordPackets, NULL)) {
        perror(ep0_path);
        return 1;
    }
    for (struct usb_functionfs_event event; read(ep0, &event, sizeof event) == sizeof event;) {
        if (event.type != FUNCTIONFS_SETUP)
            continue;
        const struct usb_ctrlrequest setup = event.u.setup;
        fprintf(record, "%02X:%04X\n", setup.bRequest, setup.wValue);
        // Reading answers an OUT request (its data, if any, then the status stage);
        // an IN one (modem status, latency, pins) is answered with zeros. The
        // other direction stalls the request.
        unsigned char data[4096] = {0};
        const size_t length = setup.wLength < sizeof data ? setup.wLength : sizeof data;
        const int in = (setup.bRequestType & USB_DIR_IN) != 0;
        if ((in != Stalled(setup.bRequest) ? write(ep0, data, length) : read(ep0, data, length)) <
            0)
            perror("ftdi_recorder: control transfer");
    }
    perror(ep0_path);
    return 1;
}
