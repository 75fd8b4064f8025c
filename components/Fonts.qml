pragma Singleton
import QtQuick

// The text styles the screens and components share, sized in logical pixels.
QtObject {
    readonly property font body: Qt.font({ pixelSize: 13 })
    readonly property font headline: Qt.font({ pixelSize: 13, weight: Font.Bold })
    readonly property font subheadline: Qt.font({ pixelSize: 11 })
    readonly property font title2: Qt.font({ pixelSize: 17 })
    readonly property font title2Bold: Qt.font({ pixelSize: 17, weight: Font.Bold })
}
